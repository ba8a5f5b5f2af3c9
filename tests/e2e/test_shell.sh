#!/usr/bin/env bash
# The viewer as a user starts it: the console lines, the window, the overlay
# toggled by "c", and Escape ending it with status 0.
source "$(dirname "$0")/lib.sh"

# Counts the pure white pixels of the overlay's corner, where its text goes.
white_in_overlay_corner() {
    "$CONVERT" "$1" -crop 260x60+5+935 +repage -fill black +opaque white \
        -format "%[fx:int(mean*w*h+0.5)]" info:
}

start_display
make_run_dir
start_ocean

# Console: the loading line, then the extension string with no line end.
first_line=$(head -n 1 "$WORK/stdout")
[ "$first_line" = "program is loading.." ] || fail "first console line is '$first_line'"
rest=$(tail -n +2 "$WORK/stdout")
case "$rest" in
    GL_*) ;;
    *) fail "no extension string after the loading line" ;;
esac
[ "$(tail -c 1 "$WORK/stdout" | od -An -c | tr -d ' ')" != '\n' ] || fail "extension string ends with a line end"

# Window: 1280 x 1024 at the top-left corner, titled with the path as typed.
window=$(xdotool search --onlyvisible --name "ocean" | head -n 1)
info=$(xwininfo -id "$window")
grep -q "Width: 1280" <<< "$info" || fail "window width: $info"
grep -q "Height: 1024" <<< "$info" || fail "window height: $info"
grep -q "Absolute upper-left X:  0" <<< "$info" || fail "window x: $info"
grep -q "Absolute upper-left Y:  0" <<< "$info" || fail "window y: $info"
grep -qF "\"$OCEAN_BINARY\"" <<< "$info" || fail "window title: $info"

# Something is drawn: the picture is not black.
screenshot "$WORK/start.png"
read -r r g b <<< "$(region_mean "$WORK/start.png" 1280x1024+0+0)"
[ $((r + g + b)) -gt 60 ] || fail "the window is black ($r $g $b)"

# The overlay appears in the lower-left corner after "c" and goes after a second "c".
before=$(white_in_overlay_corner "$WORK/start.png")
press c
sleep 1.5
screenshot "$WORK/overlay.png"
shown=$(white_in_overlay_corner "$WORK/overlay.png")
press c
sleep 1.5
screenshot "$WORK/hidden.png"
hidden=$(white_in_overlay_corner "$WORK/hidden.png")
echo "white pixels in the overlay corner: before $before, shown $shown, hidden $hidden"
[ "$shown" -gt $((before + 100)) ] || fail "no overlay text after 'c'"
[ "$hidden" -lt $((before + 20)) ] || fail "overlay still there after a second 'c'"

ocean_running || fail "the viewer ended on its own"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
