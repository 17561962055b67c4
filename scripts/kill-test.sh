#!/bin/sh
# Kills the real program (tests/tools/ToolProgramEntry: the program's start-up, windows and
# entry road, acknowledging each run it took) with SIGKILL at random moments, again and again
# on one folder, then ends it with SIGTERM. After each end the data file and the queue must be
# sound and hold every acknowledged run, as the companion reads them; after SIGTERM the program
# must have ended normally and released its lock. Prints kills, runs acknowledged, runs found.
# Usage: scripts/kill-test.sh [build-folder] [kills] [seconds]  (defaults: build 150 100)
set -eu
build=${1:-build}
kills=${2:-150}
seconds=${3:-100}
tool=$build/tests/tools/ToolProgramEntry
cli=$build/vantorel-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder=$work/folder
mkdir "$folder"
: >"$work/acks"
export QT_QPA_PLATFORM=offscreen

# After the program ended ($1 says how): files sound, every acknowledged run held.
check() {
    for file in Vantorel.qcf Vantorel.fif; do
        if [ -e "$folder/$file" ] && ! "$cli" check "$folder/$file" >"$work/why" 2>&1; then
            echo "FAIL after $1: $file: $(cat "$work/why")" >&2
            exit 1
        fi
    done
    "$cli" dump --folder "$folder" | awk '/"dateTime"/ { sub(/.*: /, ""); printf "%d\n", $0 * 1440 + 0.5 }' |
        sort -u >"$work/held"
    sort -u "$work/acks" >"$work/acked"
    acknowledged=$(wc -l <"$work/acked")
    found=$(comm -12 "$work/acked" "$work/held" | wc -l)
    if [ "$found" -ne "$acknowledged" ]; then
        echo "FAIL after $1: $acknowledged runs acknowledged, $found found" >&2
        exit 1
    fi
}
acks() { grep '^ack ' "$work/out" | cut -d' ' -f2 >>"$work/acks" || true; }

start=$(date +%s)
n=0
for delay in $(awk -v n="$kills" 'BEGIN { srand(20261207); for (i = 0; i < n; i++) printf "%.3f\n", rand() * 0.6 }'); do
    [ $(($(date +%s) - start)) -lt "$seconds" ] || break
    : >"$work/out"
    "$tool" "$folder" >>"$work/out" 2>/dev/null &
    pid=$!
    sleep "$delay" # from the start-up to well into the entries
    kill -9 "$pid"
    { wait "$pid"; } 2>/dev/null || true
    n=$((n + 1))
    acks
    check "kill $n"
done

# Emptied here, not only by the background job's own redirection: the loop below must not
# read the last killed run's acknowledgements and send SIGTERM before this run has started.
: >"$work/out"
QT_LOGGING_RULES="vantorel.*.info=true" "$tool" "$folder" >>"$work/out" 2>"$work/err" &
pid=$!
tries=0
# A loaded machine may take many seconds to start the program: SIGTERM goes only once it works.
while [ "$(grep -c '^ack ' "$work/out" || true)" -lt 5 ] && [ $tries -lt 1200 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
acks
[ "$status" -eq 0 ] || {
    echo "FAIL: SIGTERM ended the program with status $status after $(grep -c '^ack ' "$work/out") runs; its log:" >&2
    tail -n 20 "$work/err" >&2
    exit 1
}
[ ! -e "$folder/Vantorel.lock" ] || { echo "FAIL: the lock was not released after SIGTERM" >&2; exit 1; }
check "SIGTERM"
echo "$n kills and a SIGTERM: $acknowledged runs acknowledged, $found found, in $(($(date +%s) - start)) s"
