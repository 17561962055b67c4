#!/bin/sh
# Installs the Debian packages Vantorel needs to build, run and test,
# and only those that are missing. A no-op when everything is there.
set -e
PACKAGES="build-essential cmake ninja-build qt6-base-dev libqt6printsupport6 libqt6sql6-sqlite sqlite3 \
libbenchmark-dev libboost-math-dev fonts-liberation fonts-dejavu-core \
poppler-utils xvfb xauth xclip ccache desktop-file-utils appstream dpkg-dev file"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing (run as root to install them)" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $missing
