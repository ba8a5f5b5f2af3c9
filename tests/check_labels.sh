#!/usr/bin/env bash
# Fails when a test of the build folder BUILD has no label: the shuffled and
# fuzz presets, and ctest -L, pick tests by label and would leave an
# unlabelled one out unseen.
# Usage: check_labels.sh BUILD
set -euo pipefail
cd "$1"
# -LE . leaves out every test with a label: what is left has none.
unlabelled=$(ctest -N -LE . | sed -n 's/^ *Test *#[0-9]*: //p')
if [ -n "$unlabelled" ]; then
    echo "tests without a label (name them KIND.what, see cmake/labels.cmake):" >&2
    echo "$unlabelled" >&2
    exit 1
fi
echo "$(ctest -N | sed -n 's/^Total Tests: //p') tests, each with a label"
