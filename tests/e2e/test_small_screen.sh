#!/usr/bin/env bash
# On a screen smaller than the 1280 x 1024 window, a 1366 x 768 laptop's, the
# window opens at the top-left corner at the largest size that fits, and the
# counters that "c" shows at its foot are on the screen. The screenshot with
# them stays for a person to look at.
SCREEN=1366x768
source "$(dirname "$0")/lib.sh"

start_display
make_run_dir
start_ocean
info=$(xwininfo -id "$(xdotool search --onlyvisible --name "ocean" | head -n 1)")
for expected in "Width: 1280" "Height: 768" "Absolute upper-left X:  0" "Absolute upper-left Y:  0"; do
    grep -q "$expected" <<< "$info" || fail "window on a $SCREEN screen: no '$expected' in $info"
done
before=$(white_in_overlay_corner "$WORK/screen.xwd")
counters_shown() {
    screenshot "$WORK/counters.xwd"
    [ "$(white_in_overlay_corner "$WORK/counters.xwd")" -gt $((before + 100)) ]
}
press c
await 10 "no counters at the foot of the window after 'c'" counters_shown
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
keep_pictures "$OCEAN_BUILD/e2e-pictures/$(basename "$0" .sh)"
echo "PASS"
