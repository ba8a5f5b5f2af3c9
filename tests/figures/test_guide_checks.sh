#!/usr/bin/env bash
# The excerpt and formula checks on a guide of their own: an excerpt passes
# as it stands in its file, indented or not, and fails once a line of the
# file changes, when its lines are not contiguous there, or when it names no
# file; a formula that KaTeX cannot parse fails.
set -euo pipefail
here=$(dirname "$0")
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
source=$(mktemp -d)
trap 'rm -rf "$source"' EXIT
mkdir -p "$source/ocean"
printf 'double omega(double k) {\n    return std::sqrt(g * k);\n}\n\nint other;\n' > "$source/ocean/a.cpp"

guide() {
    printf '%b' "$1" > "$source/guide.md"
}
verdict() {
    node "$here/$1" "$source" "$source/guide.md" > /dev/null && echo pass || echo fail
}
failed=0
expect() {
    [ "$(verdict "$1")" = "$2" ] || { echo "$1 should $2 on:"; cat "$source/guide.md"; failed=1; }
}
guide '$\\omega = \\sqrt{g|k|}$\n\n$$\n\\frac{1}{2}\n$$\n```cpp\n// ocean/a.cpp\ndouble omega(double k) {\n    return std::sqrt(g * k);\n```\n'
expect check_guide_excerpts.js pass
expect check_guide_math.js pass
guide '```cpp\n// ocean/a.cpp\nreturn std::sqrt(g * k);\n```\n'
expect check_guide_excerpts.js pass
sed -i 's/g \* k/k * g/' "$source/ocean/a.cpp"
expect check_guide_excerpts.js fail
guide '```cpp\n// ocean/a.cpp\n}\nint other;\n```\n'
expect check_guide_excerpts.js fail
guide '```cpp\ndouble omega(double k) {\n```\n'
expect check_guide_excerpts.js fail
guide 'a broken one: $\\frac{1}{2$\n'
expect check_guide_math.js fail
guide '$$\\sqrt{g |k|$$\n'
expect check_guide_math.js fail
exit "$failed"
