#!/usr/bin/env bash
# Damaged data files: the viewer says what is wrong, keeps drawing and ends
# normally on Escape; only a sky picture that is not JPEG data stops it, with
# the JPEG library's message and status 1.
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
    SETTLE_SECONDS=3 start_ocean
    grep -qF -- "$expected" "$WORK/stderr" || fail "no '$expected' on the error stream"
    screenshot "$WORK/first.png"
    sleep 1
    screenshot "$WORK/second.png"
    read -r r g b <<< "$(region_mean "$WORK/first.png" 1280x1024+0+0)"
    [ $((r + g + b)) -gt 60 ] || fail "black window after: $*"
    local moved
    moved=$(picture_difference "$WORK/first.png" "$WORK/second.png" 1280x400+0+624)
    awk -v d="$moved" 'BEGIN { exit !(d > 0.002) }' || fail "the sea stands still after: $*"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "exit status $OCEAN_STATUS after: $*"
    echo "survives: $* -> $(grep -F -- "$expected" "$WORK/stderr" | head -n 1)"
}

truncate_face() { head -c 600 ixpos.bmp > cut.bmp && mv cut.bmp ixpos.bmp; }
# The same face with the 124-byte header size of the newest BMP form.
header_124() { printf '\x7c\x00\x00\x00' | dd of=iyneg.bmp bs=1 seek=14 conv=notrunc status=none; }
grey_sky() { "$CONVERT" cloudy1.jpg -colorspace Gray -type Grayscale grey.jpg && mv grey.jpg cloudy1.jpg; }
broken_shader() { echo "this is not a shader" > f.cg; }

expect_survives "Image file conversion error." truncate_face
expect_survives "Unknown DIB file format." header_124
expect_survives "f.cg" broken_shader
# Whatever stands under a data file's name is a file that cannot be opened.
fifo_sky() { rm cloudy1.jpg && mkfifo cloudy1.jpg; }
folder_bottom() { rm bottom.jpg && mkdir bottom.jpg; }
fifo_shader() { rm f.cg && mkfifo f.cg; }
expect_survives "can't open cloudy1.jpg" fifo_sky
expect_survives "can't open bottom.jpg" folder_bottom
expect_survives "f.cg" fifo_shader

# Printers' CMYK pictures, as image editors write them, look like the RGB
# originals: the same sky colour, and no message.
rm -rf "$RUN_DIR"
make_run_dir
for pictures in rgb cmyk; do
    start_ocean
    screenshot "$WORK/$pictures.png"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] && [ ! -s "$WORK/stderr" ] || fail "$pictures: $OCEAN_STATUS $(cat "$WORK/stderr")"
    for file in cloudy1.jpg bottom.jpg; do "$CONVERT" "$RUN_DIR/$file" -colorspace CMYK "$RUN_DIR/$file"; done
done
read -r r0 g0 b0 <<< "$(region_mean "$WORK/rgb.png" 1280x400+0+0)"
read -r r g b <<< "$(region_mean "$WORK/cmyk.png" 1280x400+0+0)"
echo "CMYK pictures: sky $r $g $b, from RGB $r0 $g0 $b0"
[ $(((r - r0) ** 2 + (g - g0) ** 2 + (b - b0) ** 2)) -le 50 ] || fail "the CMYK sky is drawn in other colours"

# A grey sky is drawn grey: no message, and the sky holds no colour.
rm -rf "$RUN_DIR"
make_run_dir
(cd "$RUN_DIR" && grey_sky)
start_ocean
screenshot "$WORK/grey.png"
read -r r g b <<< "$(region_mean "$WORK/grey.png" 1280x300+0+0)"
echo "grey sky: mean colour of the upper picture $r $g $b"
[ $((r > b ? r - b : b - r)) -le 3 ] && [ $((g > b ? g - b : b - g)) -le 3 ] ||
    fail "the grey sky is drawn in colour ($r $g $b)"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status $OCEAN_STATUS with a grey sky"

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
