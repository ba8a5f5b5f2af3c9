#!/usr/bin/env bash
# The swap counter preloaded into the reference program: every frame is
# logged with a rising timestamp, start-up to the first frame is reported,
# the real swap still happens (the window shows the tiles), and without a
# usable log the program runs on as if the counter were not there.
source "$(cd "$(dirname "$0")/../.." && pwd)/tests/e2e/lib.sh"

counter=$OCEAN_BUILD/bench/fps/libfps_swap_counter.so
reference=$OCEAN_BUILD/bench/fps/fps_reference

# Runs the reference with the counter preloaded and log $1 for $2 seconds,
# then ends it with Escape; sets OCEAN_STATUS.
run_reference() {
    local launched
    launched=$(date +%s%N)
    FPS_EXEC_NS=$launched FPS_SWAP_LOG=$1 LD_PRELOAD=$counter \
        "$reference" > "$WORK/stdout" 2> "$WORK/stderr" &
    OCEAN_PID=$!
    sleep "$2"
    ocean_running || fail "the reference ended on its own"
    [ -z "${3:-}" ] || screenshot "$3"
    press Escape
    wait_ocean 10
}

start_display

log=$WORK/swaps.log
run_reference "$log" 4 "$WORK/shot.png"
[ "$OCEAN_STATUS" = 0 ] || fail "exit status with the counter: $OCEAN_STATUS"
grep -qx "reference tiles per frame: 16" "$WORK/stdout" || fail "reference tiles: $(cat "$WORK/stdout")"

# The log: the load time first, start-up once, then one rising time a swap.
read -r key load_time < "$log"
[ "$key" = load ] || fail "first log line is '$key $load_time'"
after_exec=$(sed -n 's/^first_swap_ms_after_exec //p' "$log")
after_load=$(sed -n 's/^first_swap_ms_after_load //p' "$log")
echo "first swap: $after_exec ms after exec, $after_load ms after load"
awk -v e="$after_exec" -v l="$after_load" 'BEGIN { exit !(l > 0 && e >= l && e < 30000) }' ||
    fail "start-up times: after exec '$after_exec', after load '$after_load'"
[ "$(grep -c '^first_swap' "$log")" = 2 ] || fail "start-up reported more than once"
swaps=$(grep -c '^swap ' "$log")
echo "swaps logged: $swaps"
[ "$swaps" -ge 5 ] || fail "only $swaps swaps logged in 4 s"
awk -v t="$load_time" '$1 == "swap" { if ($2 <= t) exit 1; t = $2 }' "$log" ||
    fail "swap times do not rise"

# The swap reached the window: the water is lit, the sky above it is clear.
read -r r g b <<< "$(region_mean "$WORK/shot.png" 1280x200+0+800)"
[ $((r + g + b)) -gt 600 ] || fail "no tiles on screen ($r $g $b)"
read -r r g b <<< "$(region_mean "$WORK/shot.png" 1280x200+0+0)"
[ $((r + g + b)) -lt 30 ] || fail "the sky is not the clear colour ($r $g $b)"

# No log named, or one that cannot be written: the program runs unchanged.
run_reference "" 1.5
[ "$OCEAN_STATUS" = 0 ] || fail "exit status without a log: $OCEAN_STATUS"
run_reference "$WORK/missing/swaps.log" 1.5
[ "$OCEAN_STATUS" = 0 ] || fail "exit status with an unwritable log: $OCEAN_STATUS"
grep -q "missing/swaps.log" "$WORK/stderr" || fail "no message about the unwritable log"
echo "PASS"
