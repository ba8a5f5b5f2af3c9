#!/usr/bin/env bash
# The figures cannot go stale: a figure tool writes its numbers again into
# the build folder, and every file it writes must equal the committed copy
# in docs/figures/numbers, number by number within a relative 1e-4, words
# exactly. A change of the simulation, the shaders or the renderer that moves
# a figure fails here; make figures rewrites them for review.
# Usage: check_numbers.sh COMMITTED_DIR OUT_DIR TOOL
set -euo pipefail
committed=$1
out=$2
tool=$3

rm -rf "$out"
mkdir -p "$out"
"$tool" "$out" --numbers-only > "$out/tool.log" 2>&1 || {
    cat "$out/tool.log"
    echo "$(basename "$tool") failed"
    exit 1
}

# Prints the first difference of two files of numbers, if any.
first_difference() {
    awk -v rel=1e-4 -v abs=1e-9 '
        function numeric(t) { return t ~ /^[-+]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][-+]?[0-9]+)?$/ }
        function differ(a, b,   d, m) {
            if (!numeric(a) || !numeric(b)) return a != b
            d = a - b; if (d < 0) d = -d
            m = a < 0 ? -a : a; if (b > m) m = b; if (-b > m) m = -b
            return d > rel * m + abs
        }
        NR == FNR { line[FNR] = $0; lines = FNR; next }
        {
            if (FNR > lines) { printf "line %d: %s (not in the committed copy)\n", FNR, $0; found = 1; exit }
            n = split(line[FNR], want, /[ \t]+/)
            m = split($0, got, /[ \t]+/)
            for (i = 1; i <= (n > m ? n : m); ++i)
                if (differ(want[i], got[i])) {
                    printf "line %d (%s ...), field %d: committed %s, now %s\n", FNR, want[1], i, want[i], got[i]
                    found = 1
                    exit
                }
        }
        END { if (!found && FNR < lines) printf "line %d: %s (missing now)\n", FNR + 1, line[FNR + 1] }
    ' "$1" "$2"
}

failed=0
for file in "$out"/numbers/*; do
    name=$(basename "$file")
    if [ ! -f "$committed/$name" ]; then
        echo "docs/figures/numbers/$name: written by $(basename "$tool") but not committed"
        failed=1
        continue
    fi
    difference=$(first_difference "$committed/$name" "$file")
    if [ -n "$difference" ]; then
        echo "docs/figures/numbers/$name, $difference"
        failed=1
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "The figures' numbers have moved. If the change is meant, 'make figures' rewrites"
    echo "them and the figures; review git diff docs/figures and commit them with it."
    exit 1
fi
echo "$(ls "$out"/numbers | wc -l) files of numbers as committed"
