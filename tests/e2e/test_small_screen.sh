#!/usr/bin/env bash
# On two monitors of different sizes, a 1366 x 768 laptop's at (0, 0) inside
# a 1920 x 1080 screen, under a real window manager, the window fits the
# monitor it opens on with the manager's own frame: the whole frame is on
# the small monitor, the window as tall as the frame lets it be, and the
# counters that "c" shows at its foot are on the monitor too. The viewer is
# started with -display and no DISPLAY, so that all it learns comes from the
# display the toolkit opened. The server tells of the monitors through
# RandR; with HEADS_ONLY set, through Xinerama alone. The screenshot with the
# counters stays for a person to look at.
SCREEN=1366x768
XVFB_ARGS="+xinerama -screen 1 1920x1080x24${HEADS_ONLY:+ -extension RANDR}"
source "$(dirname "$0")/lib.sh"

start_display
start_window_manager
make_run_dir
printf '#!/bin/sh\nexec env -u DISPLAY %q -display %q "$@"\n' "$OCEAN_BINARY" "$DISPLAY" \
    > "$WORK/ocean-on-display"
chmod +x "$WORK/ocean-on-display"
OCEAN_BINARY=$WORK/ocean-on-display
start_ocean
read -r left top width height < <(window_geometry)
# The frame: the window manager's borders and title bar around the window.
IFS=', ' read -r frame_left frame_right frame_top frame_bottom < <(
    xprop -id "$OCEAN_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //')
echo "window ${width}x$height+$left+$top, frame $frame_left $frame_right $frame_top $frame_bottom"
[ "$frame_top" -gt 0 ] || fail "no title bar above the window"
[ $((left - frame_left)) -ge 0 ] && [ $((top - frame_top)) -ge 0 ] &&
    [ $((left + width + frame_right)) -le 1366 ] && [ $((top + height + frame_bottom)) -le 768 ] ||
    fail "the frame is not on the 1366 x 768 monitor"
[ "$width x $height" = "1280 x $((768 - frame_top - frame_bottom))" ] ||
    fail "window $width x $height on the 1366 x 768 monitor, frame $frame_top + $frame_bottom high"
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
