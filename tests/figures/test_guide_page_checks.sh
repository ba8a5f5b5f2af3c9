#!/usr/bin/env bash
# The guide page's check on a guide with one of each fault planted beside
# sound parts: it must fail, naming each fault and nothing sound.
# Usage: test_guide_page_checks.sh SOURCE_DIR (NODE_PATH as check_guide_page.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=${1:?usage: test_guide_page_checks.sh SOURCE_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/figures"
cp "$source/docs/figures/heights-tiled.png" "$work/figures/"
cat > "$work/guide.md" <<'GUIDE'
# A planted guide

- [Sound](#sound)
- [Faults](#faults)
- [Gone](#no-such-heading)

## Sound

![Tiled heights](figures/heights-tiled.png)

*The height field tiled 2 x 2.*

$$
\begin{aligned}
h &= a + b \\
  &= c
\end{aligned}
$$

## Faults

![A picture that is not there](figures/missing.png)

*Its caption.*

![Tiled heights again](figures/heights-tiled.png)

Not a caption: *only partly* in italics.

$$
x = a_1 + a_2 + a_3 + a_4 + a_5 + a_6 + a_7 + a_8 + a_9 + a_{10} + a_{11} + a_{12} + a_{13} + a_{14} + a_{15}
$$

An unknown command: $\nosuchcommand{x}$. Dollars left standing: $\frac{1}{2$.

| 100 | 101 | 102 | 103 | 104 | 105 | 106 | 107 | 108 | 109 | 110 | 111 | 112 | 113 | 114 | 115 | 116 | 117 | 118 | 119 | 120 | 121 | 122 | 123 |
|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|
| 100 | 101 | 102 | 103 | 104 | 105 | 106 | 107 | 108 | 109 | 110 | 111 | 112 | 113 | 114 | 115 | 116 | 117 | 118 | 119 | 120 | 121 | 122 | 123 |

## Unlisted
GUIDE

status=0
output=$(bash "$here/check_guide_page.sh" "$work/guide.md" "$work/page") || status=$?
failed=0
expect() {
    grep -q -- "$1" <<< "$output" || { echo "not reported: $1"; failed=1; }
}
[ "$status" -ne 0 ] || { echo "the planted guide passed"; failed=1; }
expect '400 px: display formula .* px wide in a 370-px column: x = a_1'
expect 'picture does not load: figures/missing.png'
expect '404 for /figures/missing.png'
expect 'link to a missing anchor: #no-such-heading'
expect 'section not linked from the contents: Unlisted'
expect 'formula not typeset: \\nosuchcommand{x}'
expect 'formula not typeset: .*\$\\frac{1}{2\$'
expect 'picture without a caption .*: figures/heights-tiled.png'
expect "400 px: table .* px wide in a 370-px column: 100 101"
# Nothing sound is reported: the aligned formula, the first picture, the
# two listed sections.
if grep -E 'h &= a|Sound|Faults|1000 px: (display|table)' <<< "$output"; then
    failed=1
fi
[ "$(grep -c 'picture without a caption' <<< "$output")" -eq 2 ] ||
    { echo "a captioned picture was reported uncaptioned"; failed=1; }
[ "$failed" -eq 0 ] || echo "$output"
exit "$failed"
