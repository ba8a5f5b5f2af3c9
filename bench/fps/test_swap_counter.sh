#!/usr/bin/env bash
# The swap counter preloaded into the viewer: every frame is logged with a
# rising timestamp, start-up to the first frame is reported, the real swap
# still happens (the window shows the sea), and without a usable log the
# viewer runs on as if the counter were not there.
source "$(cd "$(dirname "$0")/../.." && pwd)/scripts/lib/session.sh"

OCEAN_LD_PRELOAD=$OCEAN_BUILD/bench/fps/libfps_swap_counter.so
# As in the end-to-end tests: the frames drawn while the test waits take one
# core, not all.
export LP_NUM_THREADS=${LP_NUM_THREADS-0}

# The log $1 holds at least $2 swaps.
swaps_logged() { [ "$(grep -c '^swap ' "$1")" -ge "$2" ]; }

# Runs the viewer with the counter and log $1 until the log holds $2 swaps
# (none asked when 0: the sea on the screen is enough), screenshots it to $3
# if given, then ends it with Escape.
run_counted() {
    FPS_EXEC_NS=$(date +%s%N) FPS_SWAP_LOG=$1 start_ocean
    [ "$2" = 0 ] || await 30 "fewer than $2 swaps logged" swaps_logged "$1" "$2"
    [ -z "${3:-}" ] || screenshot "$3"
    stop_ocean
}

start_display
make_run_dir

log=$WORK/swaps.log
run_counted "$log" 5 "$WORK/shot.png"
[ "$OCEAN_STATUS" = 0 ] || fail "exit status with the counter: $OCEAN_STATUS"

# The log: the load time first, start-up once, then one rising time a swap.
read -r key load_time < "$log"
[ "$key" = load ] || fail "first log line is '$key $load_time'"
after_exec=$(sed -n 's/^first_swap_ms_after_exec //p' "$log")
after_load=$(sed -n 's/^first_swap_ms_after_load //p' "$log")
echo "first swap: $after_exec ms after exec, $after_load ms after load"
awk -v e="$after_exec" -v l="$after_load" 'BEGIN { exit !(l > 0 && e >= l && e < 30000) }' ||
    fail "start-up times: after exec '$after_exec', after load '$after_load'"
[ "$(grep -c '^first_swap' "$log")" = 2 ] || fail "start-up reported more than once"
echo "swaps logged: $(grep -c '^swap ' "$log")"
awk -v t="$load_time" '$1 == "swap" { if ($2 <= t) exit 1; t = $2 }' "$log" ||
    fail "swap times do not rise"

# The swap reached the window: the sea is on screen, not a black window.
read -r r g b <<< "$(region_mean "$WORK/shot.png" 1280x200+0+800)"
[ $((r + g + b)) -gt 150 ] || fail "no sea on screen ($r $g $b)"

# No log named, or one that cannot be written: the viewer runs unchanged.
run_counted "" 0
[ "$OCEAN_STATUS" = 0 ] || fail "exit status without a log: $OCEAN_STATUS"
run_counted "$WORK/missing/swaps.log" 0
[ "$OCEAN_STATUS" = 0 ] || fail "exit status with an unwritable log: $OCEAN_STATUS"
grep -q "missing/swaps.log" "$WORK/stderr" || fail "no message about the unwritable log"
echo "PASS"
