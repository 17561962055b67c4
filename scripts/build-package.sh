#!/bin/sh
# Builds the Debian package with CPack and lists what it holds and depends on; fails when
# the package lacks a file an installed Vantorel needs. Usage: scripts/build-package.sh [build-folder]
set -eu
build=${1:-build}
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/vantorel_*.deb | head -n 1)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
echo "== contents"
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
echo "$contents"
for file in ./usr/bin/vantorel ./usr/bin/vantorel-cli ./usr/share/vantorel/UserManual.htm \
    ./usr/share/vantorel/ReadMe.Txt ./usr/share/applications/vantorel.desktop \
    ./usr/share/metainfo/io.github.vantorel.Vantorel.metainfo.xml ./usr/share/icons/hicolor/48x48/apps/vantorel.png; do
    echo "$contents" | grep -qx "$file" || { echo "FAIL: the package lacks $file" >&2; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 || { echo "FAIL: no computed Qt dependency" >&2; exit 1; }
