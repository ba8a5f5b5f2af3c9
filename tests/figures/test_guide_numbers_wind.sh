#!/usr/bin/env bash
# The guide's numbers are tied to the wind: figure-numbers set beside the real
# sea of another wind prints values the guide's sea-state numbers no longer
# round from, and check_guide_numbers.sh must then fail, naming one of them;
# with the viewer's own wind the same run passes.
# Usage: test_guide_numbers_wind.sh SOURCE_DIR FIGURE_NUMBERS
set -euo pipefail
source_dir=$1
tool=$2
check=$(dirname "$0")/check_guide_numbers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A source folder of the guide and freshly written values; the renderer's
# values do not depend on the wind and are taken as committed.
guide_with_values() {
    rm -rf "$work/source"
    mkdir -p "$work/source/docs" "$work/source/tests/figures"
    cp "$source_dir/docs/how-it-works.md" "$work/source/docs/"
    cp "$source_dir/tests/figures/guide_numbers.txt" "$work/source/tests/figures/"
    "$tool" "$work/source/docs/figures" --numbers-only "$@" > /dev/null
    cp "$source_dir/docs/figures/numbers/render-values.txt" "$work/source/docs/figures/numbers/"
}

guide_with_values
bash "$check" "$work/source" > "$work/same.log" || {
    cat "$work/same.log"
    echo "the guide fails against the viewer's own wind"
    exit 1
}
pm_height=$(sed -n 's/^pm_significant_height = //p' "$work/source/docs/figures/numbers/values.txt")
quoted=$(printf '%.2f' "$pm_height")

guide_with_values --real-sea-wind 10
if bash "$check" "$work/source" > "$work/windy.log"; then
    echo "the guide passes against the values of a 10 m/s wind"
    exit 1
fi
grep -q "quotes $quoted as pm_significant_height," "$work/windy.log" || {
    cat "$work/windy.log"
    echo "the failure does not name Pierson-Moskowitz's height, $quoted"
    exit 1
}
echo "a 10 m/s wind moves $(grep -c quotes "$work/windy.log") of the guide's numbers"
