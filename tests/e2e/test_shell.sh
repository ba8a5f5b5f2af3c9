#!/usr/bin/env bash
# The viewer as a user starts it: the console lines with nothing said about
# any data file or shader, the window, the overlay toggled by "c", the
# per-pixel shading toggled by space, and Escape ending it with status 0.
# (How the frame looks, shaded and unshaded, is pinned by the reference
# pictures of the GL tests; here the keys reach it in the running viewer.)
source "$(dirname "$0")/lib.sh"

NEAR_WATER=1280x200+0+824

# How much bluer than green the water near the eye is on average (0..255):
# the mirrored sky is plainly blue, the shaded sea blue-green.
blue_over_green() {
    local r g b
    read -r r g b <<< "$(region_mean "$1" "$NEAR_WATER")"
    echo $((b - g))
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
[ ! -s "$WORK/stderr" ] || fail "messages with every data file present: $(cat "$WORK/stderr")"

# Window: 1280 x 1024 at the top-left corner, titled with the path as typed.
window=$(xdotool search --onlyvisible --name "ocean" | head -n 1)
info=$(xwininfo -id "$window")
grep -q "Width: 1280" <<< "$info" || fail "window width: $info"
grep -q "Height: 1024" <<< "$info" || fail "window height: $info"
grep -q "Absolute upper-left X:  0" <<< "$info" || fail "window x: $info"
grep -q "Absolute upper-left Y:  0" <<< "$info" || fail "window y: $info"
grep -qF "\"$OCEAN_BINARY\"" <<< "$info" || fail "window title: $info"

# Something is drawn: the picture is not black.
screenshot "$WORK/start.xwd"
read -r r g b <<< "$(region_mean "$WORK/start.xwd" 1280x1024+0+0)"
[ $((r + g + b)) -gt 60 ] || fail "the window is black ($r $g $b)"

# A screenshot $WORK/$1.xwd, measured by the function $2: MEASURED.
measure_screen() {
    screenshot "$WORK/$1.xwd"
    MEASURED=$("$2" "$WORK/$1.xwd")
}

# The overlay appears in the lower-left corner after "c" and goes after a second "c".
before=$(white_in_overlay_corner "$WORK/start.xwd")
overlay_shown() { measure_screen overlay white_in_overlay_corner && [ "$MEASURED" -gt $((before + 100)) ]; }
overlay_hidden() { measure_screen overlay white_in_overlay_corner && [ "$MEASURED" -lt $((before + 20)) ]; }
press c
await 10 "no overlay text after 'c'" overlay_shown
press c
await 10 "overlay still there after a second 'c'" overlay_hidden
echo "white pixels in the overlay corner: before $before, then shown and hidden again"

# Space: the water near the eye turns from the shaded sea's blue-green to the
# mirrored sky's blue, and back. Each run draws another sea, so each step is
# measured against the one before: 20 levels bluer, then 20 less blue again.
shaded_blue=$(blue_over_green "$WORK/start.xwd")
water_unshaded() {
    measure_screen water blue_over_green && unshaded_blue=$MEASURED
    [ "$MEASURED" -gt $((shaded_blue + 20)) ]
}
water_shaded() { measure_screen water blue_over_green && [ "$MEASURED" -lt $((unshaded_blue - 20)) ]; }
press space
await 10 "space does not switch the shading off (blue over green: shaded $shaded_blue)" water_unshaded
press space
await 10 "space does not bring the shading back (unshaded: $unshaded_blue)" water_shaded
echo "near water, blue over green: shaded $shaded_blue, unshaded $unshaded_blue, shaded again $MEASURED"

ocean_running || fail "the viewer ended on its own"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
