#!/usr/bin/env bash
# The guide quotes only what the figure tools print: every number with a
# decimal point in docs/how-it-works.md must stand as a value in the
# committed values files, so that a change the numbers check reports cannot
# leave an old figure in the prose. Usage: check_guide_numbers.sh SOURCE_DIR
set -euo pipefail
guide=$1/docs/how-it-works.md
printed=$(grep -hv '^#' "$1"/docs/figures/numbers/*values.txt | sed 's/^[^=]*= *//' | tr ' ' '\n')
# The guide writes a minus sign as U+2212.
quoted=$(grep -oE -- '(−|-)?[0-9]+\.[0-9]+' "$guide" | sed 's/−/-/' | sort -u)
missing=0
for number in $quoted; do
    if ! grep -qxF -- "$number" <<<"$printed"; then
        echo "docs/how-it-works.md quotes $number, which no values file prints"
        missing=1
    fi
done
[ "$missing" -eq 0 ] || exit 1
echo "$(wc -w <<<"$quoted") numbers quoted, each as printed"
