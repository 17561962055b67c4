#!/bin/sh
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, outside the normal build, and runs each for a
# bounded time. Not part of `make test`.
#   FUZZ_SECONDS  seconds per target (default 60)
#   FUZZ_BUILD    build folder (default fuzz-build)
#   FUZZ_TARGETS  names of the targets to run (default: all fuzz_* built)
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_EACH=${FUZZ_SECONDS:-60}
BUILD=${FUZZ_BUILD:-$ROOT/fuzz-build}

if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "clang with libFuzzer is missing (run as root to install clang and libclang-rt-dev)" >&2
        exit 1
    fi
    echo "Installing clang and its libFuzzer runtime"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi

cmake -S "$ROOT/tests/fuzz" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" -j 2
rm -rf "$BUILD/seeds"
"$BUILD/make_seeds" "$BUILD/seeds"

status=0
targets=${FUZZ_TARGETS:-$(find "$BUILD" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)}
for target in $targets; do
    corpus="$BUILD/corpus/$target"
    mkdir -p "$corpus" "$BUILD/crashes/$target"
    seeds=""
    [ -d "$BUILD/seeds/$target" ] && seeds="$seeds $BUILD/seeds/$target"
    [ -d "$ROOT/tests/fuzz/seeds/$target" ] && seeds="$seeds $ROOT/tests/fuzz/seeds/$target"
    echo "== $target: $SECONDS_EACH s"
    # The first folder collects the inputs that found new paths; crashes go to crashes/.
    if ! "$BUILD/$target" -max_total_time="$SECONDS_EACH" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$BUILD/crashes/$target/" "$corpus" $seeds; then
        echo "$target FAILED: see $BUILD/crashes/$target/" >&2
        status=1
    fi
done
exit $status
