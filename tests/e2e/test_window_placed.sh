#!/usr/bin/env bash
# Where the window manager puts the window past the monitor's right and
# bottom edges (an Openbox rule for the viewer's class places its frame at
# 200, 300 on a 1366 x 768 screen), the viewer makes the window smaller once
# it is shown, so that its frame ends at the screen's corner.
SCREEN=1366x768
source "$(dirname "$0")/lib.sh"

printf '%s\n' '<openbox_config xmlns="http://openbox.org/3.4/rc"><applications>' \
    '<application class="ocean-viewer"><position force="yes"><x>200</x><y>300</y></position>' \
    '</application></applications></openbox_config>' > "$WORK/rc.xml"
start_display
start_window_manager --config-file "$WORK/rc.xml"
make_run_dir
start_ocean
IFS=', ' read -r frame_left frame_right frame_top frame_bottom < <(
    xprop -id "$OCEAN_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //')
# The frame's left, top, right and bottom sides.
frame_sides() {
    window_geometry | awk -v l="$frame_left" -v r="$frame_right" -v t="$frame_top" -v b="$frame_bottom" \
        '{ print $1 - l, $2 - t, $1 + $3 + r, $2 + $4 + b }'
}
ends_at_the_corner() { [ "$(frame_sides)" = "200 300 1366 768" ]; }
await 10 "the frame placed at 200 300 does not end at the screen's corner" ends_at_the_corner
echo "window $(window_geometry) (left top width height)"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
