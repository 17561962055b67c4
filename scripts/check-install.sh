#!/bin/sh
# Installs a build into a temporary prefix and checks what a desktop and a user find there:
# every file in its place, the pictures the manual shows, a valid desktop entry and metainfo,
# and the installed companion answering.
# Usage: scripts/check-install.sh [build-folder]
set -eu
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

for file in bin/vantorel bin/vantorel-cli share/vantorel/UserManual.htm share/vantorel/ReadMe.Txt \
    share/applications/vantorel.desktop share/metainfo/io.github.vantorel.Vantorel.metainfo.xml \
    share/man/man1/vantorel-cli.1; do
    [ -s "$prefix/$file" ] || fail "$file is missing"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/vantorel.png
    file "$icon" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "no $size x $size icon"
done
[ -x "$prefix/bin/vantorel" ] || fail "the program is not executable"

# Every picture the manual shows is installed beside it.
for picture in $(grep -o 'src="[^"]*"' "$prefix/share/vantorel/UserManual.htm" | sed 's/src="\(.*\)"/\1/'); do
    [ -s "$prefix/share/vantorel/$picture" ] || fail "the manual shows $picture, which is not installed"
done

problems=$(desktop-file-validate "$prefix/share/applications/vantorel.desktop" 2>&1) || fail "desktop entry: $problems"
grep -q '^Categories=.*MedicalSoftware' "$prefix/share/applications/vantorel.desktop" || fail "not in MedicalSoftware"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/io.github.vantorel.Vantorel.metainfo.xml" >/dev/null \
        || fail "metainfo does not validate"
fi

# The installed companion starts and reads a folder of the program's (here an empty one).
version=$("$prefix/bin/vantorel-cli" --version) || fail "vantorel-cli --version failed"
echo "$version" | grep -q "$(sed -n 's/^project(Vantorel VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")" \
    || fail "vantorel-cli says '$version'"
mkdir "$work/data"
"$prefix/bin/vantorel-cli" dump --folder "$work/data" | grep -q '"analytes"' || fail "vantorel-cli dump failed"

# An installed copy looks for its data in the per-user folder, never beside the executable,
# even when that folder could be written (as /usr/bin can by root).
# A broken data file there must be met; the empty bin folder would read fine.
mkdir -p "$work/xdg/Vantorel"
echo "not a data file" >"$work/xdg/Vantorel/Vantorel.qcf"
XDG_DATA_HOME=$work/xdg "$prefix/bin/vantorel-cli" dump >/dev/null 2>&1 \
    && fail "the installed companion did not read ~/.local/share/Vantorel"

[ $failed -eq 0 ] && echo "Installation in $prefix complete"
exit $failed
