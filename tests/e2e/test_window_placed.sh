#!/usr/bin/env bash
# Where the window manager puts the window past the monitor's right and
# bottom edges (here an Openbox rule for the viewer's class places its frame
# at 200, 300 on a 1366 x 768 screen), the viewer makes the window smaller
# once it is shown, so that it ends with its frame on the screen, and no
# smaller than that.
SCREEN=1366x768
source "$(dirname "$0")/lib.sh"

cat > "$WORK/rc.xml" <<'XML'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <applications>
    <application class="ocean-viewer">
      <position force="yes"><x>200</x><y>300</y></position>
    </application>
  </applications>
</openbox_config>
XML

start_display
start_window_manager --config-file "$WORK/rc.xml"
make_run_dir
start_ocean
IFS=', ' read -r frame_left frame_right frame_top frame_bottom < <(
    xprop -id "$OCEAN_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //')
# Where the frame's right and bottom sides end.
frame_ends() {
    read -r left top width height < <(window_geometry)
    echo "$((left + width + frame_right)) $((top + height + frame_bottom))"
}
ends_on_the_screen() { [ "$(frame_ends)" = "1366 768" ]; }
await 10 "the frame does not end at the screen's corner 1366 768" ends_on_the_screen
echo "window $(window_geometry) (left top width height), frame $frame_left $frame_right $frame_top $frame_bottom"
read -r left top width height < <(window_geometry)
[ "$((left - frame_left)) $((top - frame_top))" = "200 300" ] || fail "frame not at 200 300"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
