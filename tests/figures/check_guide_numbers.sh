#!/usr/bin/env bash
# The guide quotes only what the figure tools print: every number with a
# decimal point in docs/how-it-works.md must stand in the committed values
# files, as printed or rounded to the decimals it is quoted with (90.5 for
# a printed 90.5097), so that a change the numbers check reports cannot
# leave an old figure in the prose. Usage: check_guide_numbers.sh SOURCE_DIR
set -euo pipefail
guide=$1/docs/how-it-works.md
printed=$(grep -hv '^#' "$1"/docs/figures/numbers/*values.txt | sed 's/^[^=]*= *//' | tr ' ' '\n')
# The guide writes a minus sign as U+2212.
quoted=$(grep -oE -- '(−|-)?[0-9]+\.[0-9]+' "$guide" | sed 's/−/-/' | sort -u)
# Prints each quoted number that no printed value rounds to.
missing=$(awk '
    NR == FNR { if ($1 != "") value[++values] = $1; next }
    {
        decimals = length($1) - index($1, ".")
        found = 0
        for (v = 1; v <= values && !found; ++v)
            found = value[v] == $1 || sprintf("%." decimals "f", value[v]) == $1
        if (!found) print $1
    }' <(echo "$printed") <(echo "$quoted"))
for number in $missing; do
    echo "docs/how-it-works.md quotes $number, which no values file prints"
done
[ -z "$missing" ] || exit 1
echo "$(wc -w <<<"$quoted") numbers quoted, each as printed or rounded"
