#!/usr/bin/env bash
# On a screen smaller than the window's 1280 x 1024, a 1366 x 768 laptop's,
# the window opens at the top-left corner at the largest size that fits, and
# the whole picture is on the screen: the sea down to the window's foot and
# the counters after "c". The screenshot with the counters stays for a
# person to look at.
SCREEN=1366x768
source "$(dirname "$0")/lib.sh"

start_display
make_run_dir
start_ocean
window=$(xdotool search --onlyvisible --name "ocean" | head -n 1)
info=$(xwininfo -id "$window")
for expected in "Width: 1280" "Height: 768" "Absolute upper-left X:  0" "Absolute upper-left Y:  0"; do
    grep -q "$expected" <<< "$info" || fail "window on a $SCREEN screen: no '$expected' in $info"
done
echo "window on a $SCREEN screen: $(grep -E 'Width|Height|upper-left' <<< "$info" | tr -s ' ' | tr '\n' ' ')"

screenshot "$WORK/small-screen.xwd"
before=$(white_in_overlay_corner "$WORK/small-screen.xwd")
counters_shown() {
    screenshot "$WORK/small-screen-counters.xwd"
    [ "$(white_in_overlay_corner "$WORK/small-screen-counters.xwd")" -gt $((before + 100)) ]
}
press c
await 10 "no counters at the foot of the window after 'c'" counters_shown
ocean_running || fail "the viewer ended on its own"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
keep_pictures "$OCEAN_BUILD/e2e-pictures/$(basename "$0" .sh)"
echo "PASS"
