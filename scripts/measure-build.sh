#!/bin/sh
# Measures the build times quoted in the README, each the median of RUNS runs (default 3), in a
# fresh clone of HEAD so the working build stays as it is. Takes a quarter of an hour or more;
# run it on an otherwise idle machine.
#   RUNS         runs per figure (default 3)
#   MEASURE_DIR  where the clone goes (default /tmp/vantorel-measure); a folder there that this
#                script did not make (no .vantorel-measure mark in it) is left alone and the run stops
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUNS=${RUNS:-3}
WORK=${MEASURE_DIR:-/tmp/vantorel-measure}
MARK=.vantorel-measure
if [ -e "$WORK" ] && [ ! -f "$WORK/$MARK" ]; then
    echo "$WORK exists and was not made by this script: not deleting it (set MEASURE_DIR)" >&2
    exit 1
fi
sh "$ROOT/scripts/install-deps.sh"
rm -rf "$WORK"
git clone -q "$ROOT" "$WORK"
touch "$WORK/$MARK"
cd "$WORK"

now() { date +%s.%N; }
elapsed() { awk -v end="$(now)" -v start="$1" 'BEGIN { print end - start }'; }
median() { tr ' ' '\n' | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# measure LABEL PREPARE COMMAND...: runs PREPARE (untimed), then times COMMAND, RUNS times.
measure() {
    label=$1; prepare=$2; shift 2
    times=""
    i=0
    while [ $i -lt "$RUNS" ]; do
        $prepare
        start=$(now)
        "$@" > "$WORK/measure.log" 2>&1 || { echo "$label: failed, see $WORK/measure.log" >&2; exit 1; }
        times="$times $(elapsed "$start")"
        i=$((i + 1))
    done
    printf '%-52s median %6.1f s   (runs:%s)\n' "$label" "$(echo "$times" | median)" "$times"
}

clean() { rm -rf build; }
nothing() { :; }
# A real change of content, so that no cache can answer for the files that include it.
edit_header() { echo "// measure $(now)" >> core/model/TAnalyte.h; }
edit_core_cpp() { echo "// measure $(now)" >> core/model/TFormat.cpp; }
edit_window_cpp() { echo "// measure $(now)" >> ui/editors/TWinEmployees.cpp; }

export CCACHE_DISABLE=1
measure "clean make test, no compiler cache" clean make test
unset CCACHE_DISABLE
rm -rf build && make build > /dev/null 2>&1 # fills the cache
measure "clean make test, warm compiler cache" clean make test
export CCACHE_DISABLE=1
measure "rebuild after changing TAnalyte.h" edit_header cmake --build build
measure "rebuild after changing one core .cpp" edit_core_cpp cmake --build build
measure "rebuild after changing one window .cpp" edit_window_cpp cmake --build build
git checkout -q -- core ui
