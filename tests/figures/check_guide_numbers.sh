#!/usr/bin/env bash
# Each decimal number the guide quotes is tied to the one value it quotes:
# tests/figures/guide_numbers.txt lists, in the order the guide quotes them
# outside fenced code, one line "NUMBER KEY" per number, KEY a key of a
# values file in docs/figures/numbers (keys unique across the files). Fails
# where the guide and the list differ, where a key is unknown, and where the
# key's value no longer rounds to the number at the decimals quoted.
# Usage: check_guide_numbers.sh SOURCE_DIR
set -euo pipefail
guide=$1/docs/how-it-works.md
list=$1/tests/figures/guide_numbers.txt

# The guide writes a minus sign as U+2212.
quoted=$(awk '/^[ \t]*```/ { fenced = !fenced; next } !fenced' "$guide" |
    grep -oE -- '(−|-)?[0-9]+\.[0-9]+' | sed 's/−/-/' || true)
listed=$(grep -v '^#' "$list" | awk 'NF { print $1 }')
if [ "$quoted" != "$listed" ]; then
    echo "docs/how-it-works.md and tests/figures/guide_numbers.txt differ (quoted, listed):"
    diff <(echo "$quoted") <(echo "$listed") | grep '^[<>]' | head -5
    exit 1
fi

# key value lines of every values file; a key in two files is an error.
values=$(cat "$1"/docs/figures/numbers/*values.txt | grep -v '^#' | awk -F' *= *' 'NF == 2 { print $1, $2 }')
twice=$(awk '{ print $1 }' <<<"$values" | sort | uniq -d)
[ -z "$twice" ] || { echo "keys in more than one values file: $twice"; exit 1; }

grep -v '^#' "$list" | awk 'NF' | awk '
    NR == FNR { value[$1] = $2; next }
    {
        if (!($2 in value)) { printf "%s: no values file has the key %s\n", $1, $2; bad = 1; next }
        decimals = length($1) - index($1, ".")
        shown = sprintf("%." decimals "f", value[$2])
        if (shown == "-" sprintf("%." decimals "f", 0)) shown = sprintf("%." decimals "f", 0)
        if (shown != $1) { printf "the guide quotes %s as %s, which is %s\n", $1, $2, value[$2]; bad = 1 }
    }
    END { exit bad }' <(echo "$values") - || exit 1
echo "$(wc -l <<<"$quoted") numbers quoted, each tied to the value it quotes"
