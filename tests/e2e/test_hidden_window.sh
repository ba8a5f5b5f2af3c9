#!/usr/bin/env bash
# Minimised under a real window manager, or unmapped, the viewer computes
# nothing and its CPU time all but stops; restored, it draws a moving sea
# again.
source "$(dirname "$0")/lib.sh"

# CPU seconds x 100 (user and system, all threads) over $1 seconds.
cpu_hundredths() {
    local ticks_per_second first
    ticks_per_second=$(getconf CLK_TCK)
    first=$(awk '{ print $14 + $15 }' "/proc/$OCEAN_PID/stat")
    sleep "$1"
    awk -v first="$first" -v tps="$ticks_per_second" '{ print int(($14 + $15 - first) * 100 / tps) }' \
        "/proc/$OCEAN_PID/stat"
}

# The sea moves: two screenshots half a second apart differ.
sea_moving() {
    screenshot "$WORK/$1-a.xwd"
    sleep 0.5
    screenshot "$WORK/$1-b.xwd"
    local change
    change=$(picture_difference "$WORK/$1-a.xwd" "$WORK/$1-b.xwd")
    awk -v c="$change" 'BEGIN { exit !(c > 0.002) }'
}

start_display
start_window_manager
make_run_dir
start_ocean
echo "visible: $(cpu_hundredths 2) hundredths of a CPU second in 2 s"
for hide in windowminimize windowunmap; do
    xdotool "$hide" --sync "$OCEAN_WINDOW"
    # The tick under way when the window went finishes.
    sleep 0.5
    used=$(cpu_hundredths 3)
    echo "after $hide: $used hundredths of a CPU second in 3 s"
    [ "$used" -le 15 ] || fail "$used hundredths of a CPU second in 3 s while hidden ($hide)"
    xdotool windowmap --sync "$OCEAN_WINDOW"
    await 10 "the sea does not move after $hide and windowmap" sea_moving "$hide"
done
ocean_running || fail "the viewer ended on its own"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
