#!/bin/sh
# Builds the suite with gcc's coverage counters in its own folder, runs every test and
# prints line and branch coverage per folder of the program (tests and benchmarks left out).
#   $1  build folder (default build-coverage)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-build-coverage}
cd "$ROOT"
if ! command -v gcovr >/dev/null 2>&1; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "gcovr is missing (run as root to install it)" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends gcovr
fi
test -f "$BUILD/build.ninja" || cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="--coverage" -DCMAKE_EXE_LINKER_FLAGS="--coverage"
cmake --build "$BUILD" -j "$(nproc)"
find "$BUILD" -name '*.gcda' -delete
(cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --output-on-failure) || status=$?
gcovr -r . --object-directory "$BUILD" --exclude-directories '.*/CMakeFiles/[0-9.]+' --exclude '.*_autogen/.*' --exclude 'tests/' --exclude 'bench/' \
    -j "$(nproc)" --gcov-ignore-parse-errors --json "$BUILD/coverage.json"
for folder in core cli print ui; do
    gcovr -r . --add-tracefile "$BUILD/coverage.json" --filter "$folder/" --print-summary --txt /dev/null \
        | sed -n "s/^\(lines\|branches\): */$folder \1: /p"
done
exit ${status:-0}
