#!/usr/bin/env bash
# Damaged data files: the viewer says what is wrong, keeps drawing and ends
# normally on Escape; only a sky picture that is not JPEG data stops it, with
# the JPEG library's message and status 1. What the viewer makes of each
# damage (the stand-in face, the unshaded water, a grey sky drawn grey) is
# seen by the unit and GL tests; here the real process says it and lives on.
source "$(dirname "$0")/lib.sh"

start_display

# Runs the viewer on a fresh copy of the run folder after the change given as
# a command, and expects the text $1 on its error stream.
expect_survives() {
    local expected=$1
    shift
    rm -rf "$RUN_DIR"
    make_run_dir
    (cd "$RUN_DIR" && "$@")
    start_ocean
    grep -qF -- "$expected" "$WORK/stderr" || fail "no '$expected' on the error stream"
    screenshot "$WORK/first.xwd"
    read -r r g b <<< "$(region_mean "$WORK/first.xwd" 1280x1024+0+0)"
    [ $((r + g + b)) -gt 60 ] || fail "black window after: $*"
    await 10 "the sea stands still after: $*" changed_from "$WORK/first.xwd" "$WORK/second.xwd" 1280x400+0+624
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "exit status $OCEAN_STATUS after: $*"
    echo "survives: $* -> $(grep -F -- "$expected" "$WORK/stderr" | head -n 1)"
}

# The same face with the 124-byte header size of the newest BMP form.
header_124() { printf '\x7c\x00\x00\x00' | dd of=iyneg.bmp bs=1 seek=14 conv=notrunc status=none; }
broken_shader() { echo "this is not a shader" > f.cg; }

expect_survives "Unknown DIB file format." header_124
expect_survives 'shader "f.cg": does not compile:' broken_shader
# One message, the compiler's log in it.
[ "$(grep -c '^shader "' "$WORK/stderr")" = 1 ] || fail "not one shader message: $(cat "$WORK/stderr")"
grep -q "error" "$WORK/stderr" || fail "no compiler log after the message: $(cat "$WORK/stderr")"
# Whatever stands under a data file's name is a file that cannot be opened.
fifo_sky() { rm cloudy1.jpg && mkfifo cloudy1.jpg; }
folder_bottom() { rm bottom.jpg && mkdir bottom.jpg; }
fifo_shader() { rm f.cg && mkfifo f.cg; }
expect_survives "can't open cloudy1.jpg" fifo_sky
expect_survives "can't open bottom.jpg" folder_bottom
expect_survives 'shader "f.cg": cannot open the file' fifo_shader

# Printers' CMYK pictures, as image editors write them, look like the RGB
# originals: the same sky colour, and no message.
rm -rf "$RUN_DIR"
make_run_dir
for pictures in rgb cmyk; do
    start_ocean
    screenshot "$WORK/$pictures.xwd"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] && [ ! -s "$WORK/stderr" ] || fail "$pictures: $OCEAN_STATUS $(cat "$WORK/stderr")"
    for file in cloudy1.jpg bottom.jpg; do "$CONVERT" "$RUN_DIR/$file" -colorspace CMYK "$RUN_DIR/$file"; done
done
read -r r0 g0 b0 <<< "$(region_mean "$WORK/rgb.xwd" 1280x400+0+0)"
read -r r g b <<< "$(region_mean "$WORK/cmyk.xwd" 1280x400+0+0)"
echo "CMYK pictures: sky $r $g $b, from RGB $r0 $g0 $b0"
[ $(((r - r0) ** 2 + (g - g0) ** 2 + (b - b0) ** 2)) -le 50 ] || fail "the CMYK sky is drawn in other colours"

# A sky that is not JPEG data ends the program during start-up with status 1.
rm -rf "$RUN_DIR"
make_run_dir
echo "not a picture" > "$RUN_DIR/cloudy1.jpg"
(cd "$RUN_DIR" && exec "$OCEAN_BINARY" > "$WORK/stdout" 2> "$WORK/stderr") &
OCEAN_PID=$!
wait_ocean 30
[ "$OCEAN_STATUS" = 1 ] || fail "a sky that is not JPEG data gave status $OCEAN_STATUS"
grep -q "Not a JPEG file" "$WORK/stderr" || fail "no JPEG library message: $(cat "$WORK/stderr")"
echo "not JPEG data: status 1, $(head -n 1 "$WORK/stderr")"
echo "PASS"
