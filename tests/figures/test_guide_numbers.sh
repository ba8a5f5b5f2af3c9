#!/usr/bin/env bash
# check_guide_numbers.sh on a guide of its own: each quoted number passes
# only against the key listed for it, so a number that happens to round from
# an unrelated value fails, as do a list out of step and an unknown key.
set -euo pipefail
check=$(dirname "$0")/check_guide_numbers.sh
source=$(mktemp -d)
trap 'rm -rf "$source"' EXIT
mkdir -p "$source/docs/figures/numbers" "$source/tests/figures"
printf '# values\nperiod = 90.5097\nlowest = -9.77854\n' > "$source/docs/figures/numbers/values.txt"
printf 'ratio = 0.750188\n' > "$source/docs/figures/numbers/render-values.txt"

# A guide and its list; the check's verdict.
checks() {
    printf '%s\n```cpp\n// not quoted: 0.25\n```\n' "$1" > "$source/docs/how-it-works.md"
    printf '%b' "$2" > "$source/tests/figures/guide_numbers.txt"
    bash "$check" "$source" > /dev/null
}
failed=0
expect() {
    local verdict=$1
    shift
    if checks "$@"; then [ "$verdict" = pass ]; else [ "$verdict" = fail ]; fi ||
        { echo "expected $verdict: $1 / $2"; failed=1; }
}
expect pass "every 90.5 units, down to −9.78, ratio 0.8" '90.5 period\n-9.78 lowest\n0.8 ratio\n'
expect pass "every 90.5097 units" '# a comment\n90.5097 period\n'
# 0.75 rounds from ratio, not from period, the value it is tied to.
expect fail "every 0.75 units" '0.75 period\n'
expect fail "every 90.50 units" '90.50 period\n'
expect fail "every 90.5 units, down to −9.78" '-9.78 lowest\n90.5 period\n'
expect fail "every 90.5 units" '90.5 period\n-9.78 lowest\n'
expect fail "every 90.5 units" '90.5 spacing\n'
printf 'period = 1\n' >> "$source/docs/figures/numbers/render-values.txt"
expect fail "every 90.5 units" '90.5 period\n'
exit "$failed"
