#!/usr/bin/env bash
# The benchmark's arithmetic on made-up swap logs whose rates are known:
# frames timed by the swaps themselves, CPU ticks turned into milliseconds a
# frame, medians over rounds (odd and even counts), the shaded/unshaded ratio
# taken within each round, one build against the other, and turns or
# conditions without frames reported as such instead of as numbers.
set -euo pipefail
tally=$(dirname "$0")/tally
work=$(mktemp -d /tmp/fps-tally.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Writes a swap log to $1: start-up lines, then for each pair of arguments
# "ns count" that many swaps that many nanoseconds apart.
make_log() {
    local log=$1
    shift
    awk -v segments="$*" 'BEGIN {
        t = 5000000000
        print "load " t - 200000000
        print "first_swap_ms_after_load 200.0"
        n = split(segments, s, " ")
        for (i = 1; i < n; i += 2)
            for (k = 0; k < s[i + 1]; k++) { t += s[i]; printf "swap %.0f\n", t }
    }' > "$log"
}

expect_line() { # output line
    grep -qxF "$2" <<< "$1" || fail "no line '$2' in:
$1"
}

# This tree: 10, 20, 8 and 25 fps, 30 swaps each; the base: 20 fps.
make_log "$work/current.log" 100000000 30 50000000 30 125000000 30 40000000 30
make_log "$work/base.log" 50000000 100
cat > "$work/turns" <<EOF_TURNS
current on 1 $work/current.log 1 21 30
current off 1 $work/current.log 31 51 10
base on 1 $work/base.log 1 11 20
base off 1 $work/base.log 20 40 20
base on 2 $work/base.log 50 150 20
base off 2 $work/base.log 60 80 10
current off 2 $work/current.log 61 71 10
current on 2 $work/current.log 91 111 40
current on 3 $work/current.log 2 12 12
current off 3 $work/current.log 32 42 8
EOF_TURNS
out=$(CLK_TCK=100 "$tally" "$work/turns")
echo "$out"
# 20 frames in 2 s with 300 ms of CPU; 10 in 1.25 s; the base past its log's end.
expect_line "$out" "current  shaders on  round 1: 10.00 fps (20 frames in 2.00 s), 15.0 ms CPU a frame"
expect_line "$out" "current  shaders off round 2: 8.00 fps (10 frames in 1.25 s), 10.0 ms CPU a frame"
expect_line "$out" "base     shaders on  round 2: no frames"
# Medians: CPU shaded of 15, 20, 12 and unshaded of 5, 10, 8 ms; fps of 10,
# 25, 10 and 20, 8, 20; the ratios 3, 2 and 1.5 of the rounds. The base:
# unshaded 10 and 5 ms, its one round with both a ratio of 2.
expect_line "$out" "current                 15.0       8.0      10.00     20.00   2.000"
expect_line "$out" "base                    20.0       7.5      20.00     20.00   2.000"
# Round by round against the base: shaded only round 1 has both (10 / 20 fps,
# 15 / 20 ms); unshaded rounds 1 and 2 (20 / 20 and 8 / 20 fps, 5 / 10 and
# 10 / 5 ms).
expect_line "$out" "current/base, medians of the rounds: frames a second shaded 0.500, unshaded 0.700; CPU a frame shaded 0.750, unshaded 1.250"

# One build alone, its shaded turns without frames: no numbers, no comparison.
cat > "$work/turns" <<EOF_TURNS
current on 1 $work/current.log 0 20 30
current off 1 $work/current.log 31 51 10
current on 2 $work/current.log 110 130 30
EOF_TURNS
out=$(CLK_TCK=100 "$tally" "$work/turns")
echo "$out"
expect_line "$out" "current                  n/a       5.0        n/a     20.00   n/a"
grep -q "current/" <<< "$out" && fail "a comparison with one build"
echo "PASS"
