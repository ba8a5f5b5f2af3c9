#!/usr/bin/env bash
# The benchmark's arithmetic on made-up swap logs whose rates are known:
# frames timed by the swaps themselves, turns pooled by time rather than by
# averaging rates, CPU ticks turned into milliseconds a frame, and turns or
# conditions without frames reported as such instead of as numbers.
set -euo pipefail
tally=$(dirname "$0")/tally
work=$(mktemp -d /tmp/fps-tally.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Writes a swap log to $1: start-up lines, then swaps $2 ns apart up to swap
# $3, then $4 ns apart up to swap $5.
make_log() {
    awk -v slow="$2" -v switch_at="$3" -v fast="$4" -v count="$5" 'BEGIN {
        t = 5000000000
        print "load " t - 200000000
        print "first_swap_ms_after_exec 210.5"
        print "first_swap_ms_after_load 200.0"
        for (n = 1; n <= count; n++) {
            t += n <= switch_at ? slow : fast
            printf "swap %.0f\n", t
        }
    }' > "$1"
}

expect_line() { # output line
    grep -qxF "$2" <<< "$1" || fail "no line '$2' in:
$1"
}

# The viewer: 10 fps for 50 swaps, then 20 fps; the reference: 40 fps.
make_log "$work/ocean.log" 100000000 50 50000000 100
make_log "$work/reference.log" 25000000 100 25000000 100
cat > "$work/turns" <<EOF_TURNS
reference 1 $work/reference.log 10 50 40
on 1 $work/ocean.log 5 25 30
off 1 $work/ocean.log 60 100 20
on 2 $work/ocean.log 60 80 10
EOF_TURNS
out=$(CLK_TCK=100 "$tally" "$work/turns")
echo "$out"
# 40 frames in 1 s; 20 in 2 s; 40 in 2 s; 20 in 1 s.
expect_line "$out" "reference round 1: 40.00 fps (40 frames in 1.00 s), 10.0 ms CPU a frame"
expect_line "$out" "on        round 1: 10.00 fps (20 frames in 2.00 s), 15.0 ms CPU a frame"
expect_line "$out" "off       round 1: 20.00 fps (40 frames in 2.00 s), 5.0 ms CPU a frame"
# Pooled: 40 frames in 3 s, not the mean of 10 and 20.
expect_line "$out" "ocean fps, shaders on: 13.333"
expect_line "$out" "ratio ocean/reference, shaders on: 0.333"
expect_line "$out" "ratio ocean/reference, shaders off: 0.500"
# 400 ms of CPU over 40 frames; 400 ms over 40; 200 ms over 40.
expect_line "$out" "CPU a frame: reference 10.0 ms, shaders on 10.0 ms, shaders off 5.0 ms"
expect_line "$out" "CPU ratio reference/ocean, shaders off: 2.000"
expect_line "$out" "CPU ratio shaded/unshaded: 2.000"

# A turn that began before the first swap, one that ran past the end of its
# log, and no reference at all.
cat > "$work/turns" <<EOF_TURNS
on 1 $work/ocean.log 0 20 30
off 1 $work/ocean.log 90 120 30
on 2 $work/ocean.log 10 30 20
EOF_TURNS
out=$(CLK_TCK=100 "$tally" "$work/turns")
echo "$out"
expect_line "$out" "on        round 1: no frames"
expect_line "$out" "off       round 1: no frames"
expect_line "$out" "ocean fps, shaders on: 10.000"
expect_line "$out" "ratio ocean/reference, shaders on: n/a"
expect_line "$out" "CPU ratio reference/ocean, shaders on: n/a"
expect_line "$out" "CPU ratio shaded/unshaded: n/a"
echo "PASS"
