#!/usr/bin/env bash
# check_guide_numbers.sh on a guide of its own: a value quoted in full or
# rounded to the decimals quoted passes, a number no values file prints
# fails, also when it lies a rounding away from one that is printed.
set -euo pipefail
check=$(dirname "$0")/check_guide_numbers.sh
source=$(mktemp -d)
trap 'rm -rf "$source"' EXIT
mkdir -p "$source/docs/figures/numbers"
printf '# values\nperiod = 90.5097\nlowest = -9.77854\n' > "$source/docs/figures/numbers/values.txt"

quoting() {
    echo "$1" > "$source/docs/how-it-works.md"
    bash "$check" "$source" > /dev/null
}
failed=0
for text in "every 90.5097 units" "every 90.5 units" "down to −9.78"; do
    quoting "$text" || { echo "rejected: $text"; failed=1; }
done
for text in "every 90.6 units" "every 90.50 units" "down to 9.78" "down to −9.77"; do
    ! quoting "$text" || { echo "accepted: $text"; failed=1; }
done
exit "$failed"
