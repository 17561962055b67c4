#!/bin/sh
# Counts the includes from one folder of core/ or ui/ to another ("qc -> files 4"): a header
# named in a folder's sources that lives in another folder of the same tree. The build refuses
# an include against the direction of core/'s and ui/'s layers; this shows what goes down.
cd "${1:-$(dirname "$0")/..}"
for tree in core ui; do
    echo "$tree:"
    for f in "$tree"/*/*; do echo "$(basename "$f") $(basename "$(dirname "$f")")"; done > /tmp/include-graph.$$
    grep -H '^#include "' "$tree"/*/*.cpp "$tree"/*/*.h | sed 's|^[^/]*/\([^/]*\)/[^:]*:#include "\([^"]*\)".*|\1 \2|' |
        awk 'NR == FNR { home[$1] = $2; next }
             ($2 in home) && home[$2] != $1 { n[$1 " -> " home[$2]]++ }
             END { for (k in n) print "  " k " " n[k] }' /tmp/include-graph.$$ - | sort
    rm -f /tmp/include-graph.$$
done
