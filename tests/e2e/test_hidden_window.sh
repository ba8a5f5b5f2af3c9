#!/usr/bin/env bash
# Minimised under a real window manager, or unmapped, the viewer computes
# nothing and its CPU time all but stops; restored, it draws a moving sea
# again.
source "$(dirname "$0")/lib.sh"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$OCEAN_PID/stat"; }

sea_moving() {
    screenshot "$WORK/$1-a.xwd"
    sleep 0.5
    screenshot "$WORK/$1-b.xwd"
    awk -v c="$(picture_difference "$WORK/$1-a.xwd" "$WORK/$1-b.xwd")" 'BEGIN { exit !(c > 0.002) }'
}

start_display
start_window_manager
make_run_dir
start_ocean
for hide in windowminimize windowunmap; do
    xdotool "$hide" --sync "$OCEAN_WINDOW"
    sleep 0.5 # the tick under way when the window went
    before=$(cpu_ticks)
    sleep 3
    used=$(($(cpu_ticks) - before))
    echo "after $hide: $used ticks of CPU in 3 s ($(getconf CLK_TCK) a second)"
    [ "$used" -le $(($(getconf CLK_TCK) * 3 / 20)) ] || fail "$used ticks of CPU in 3 s while hidden"
    xdotool windowmap --sync "$OCEAN_WINDOW"
    await 10 "the sea does not move after $hide and windowmap" sea_moving "$hide"
done
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
