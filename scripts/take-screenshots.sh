#!/bin/sh
# Retakes the pictures of the user manual (doc/manual/*.png) from the program's own windows,
# on a virtual screen (Xvfb). Run it after a window changed, look at the pictures, commit them.
# Usage: scripts/take-screenshots.sh [build-folder]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target vantorel-screenshots
LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" "$build/vantorel-screenshots" doc/manual
ls -l doc/manual
