#!/usr/bin/env bash
# Replacement pictures that do not fit, all in one run folder: a cube face of
# another size than the others, a bottom picture that is not square, a face
# wider than the loader makes, run-length data cut short, a tiny file
# declaring a vast picture, and a sky of endless scans. The viewer says what it did in one line for each,
# keeps running, stays small, and draws the water, shaded and unshaded, much
# as with good files: no black, no white-out, its colour near that of the
# good run. (Which face stands in for which is seen by the GL tests.)
source "$(dirname "$0")/lib.sh"

WATER=1280x400+0+624

small_face() { "$CONVERT" izpos.bmp -resize 128x128 -type TrueColor BMP3:izpos.bmp; }
wide_bottom() { "$CONVERT" bottom.jpg -resize '256x128!' bottom.jpg; }
wide_face() { "$CONVERT" ixneg.bmp -resize '4100x64!' -type TrueColor BMP3:ixneg.bmp; }
cut_run_lengths() {
    "$CONVERT" izneg.bmp -colors 200 -compress RLE BMP3:rle.bmp
    head -c $(($(stat -c %s rle.bmp) / 2)) rle.bmp > izneg.bmp
}
# 60 bytes: file and information headers declaring 9000 x 9000 pixels of
# 8-bit run-length data, a one-colour table, and an end-of-bitmap code.
tiny_vast_face() {
    printf 'BM\x3c\0\0\0\0\0\0\0\x3a\0\0\0\x28\0\0\0\x28\x23\0\0\x28\x23\0\0\x01\0\x08\0' > iypos.bmp
    printf '\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\x80\x80\x80\0\0\x01' >> iypos.bmp
}
# 38 KB: a 4096 x 4096 grey progressive JPEG whose first scan gives every
# block's DC value in a bit and whose next, repeated 150 times (validly: the
# library warns of nothing), ends every block's band in 30 bytes. Each scan
# is a pass over the whole picture. Both tables hold one code, a 0 bit.
many_scans_sky() {
    zeros() { head -c "$1" /dev/zero; }
    {
        printf '\xff\xd8\xff\xdb\x00\x43\x00' && zeros 64 | tr '\0' '\1'
        printf '\xff\xc2\x00\x0b\x08\x10\x00\x10\x00\x01\x01\x11\x00\xff\xc4\x00\x14\x00\x01' && zeros 15
        printf '\x00\xff\xc4\x00\x14\x10\x01' && zeros 15
        printf '\xe0\xff\xda\x00\x08\x01\x01\x00\x00\x00\x00' && zeros 32768
        for _ in $(seq 150); do printf '\xff\xda\x00\x08\x01\x01\x00\x01\x3f\x00' && zeros 30; done
        printf '\xff\xd9'
    } > cloudy1.jpg
}

# change to the run folder | the line expected on standard error
cases=(
    "small_face|izpos.bmp: 128 x 128 picture scaled to 256 x 256"
    "wide_bottom|bottom.jpg: 256 x 128 picture scaled to 256 x 256"
    "wide_face|Error: Image file conversion error."
    "cut_run_lengths|Error: Image file conversion error."
    "tiny_vast_face|Error: Image file conversion error."
    "many_scans_sky|cloudy1.jpg: picture of more than 100 scans"
)

# Of the water region: the fractions near black (no channel above 16%), near
# white (every channel above 92%) and flat grey (no channel changing within
# 5 x 5 pixels, and blue less than a quarter above red: a plain face in the
# reflection, where the sky's own flat stretches are a deep blue), then its
# mean colour.
water_measures() {
    local water=$WORK/water.miff
    "$CONVERT" "$1" -crop "$WATER" +repage "$water"
    "$CONVERT" "$water" -separate -evaluate-sequence max -threshold 16% -format "%[fx:1-mean] " info:
    "$CONVERT" "$water" -separate -evaluate-sequence min -threshold 92% -format "%[fx:mean] " info:
    # Flat, times b - r < 0.25: the blue channel less the red (MinusSrc takes
    # the second from the first) at most 25%.
    "$CONVERT" "$water" \( -clone 0 -statistic StandardDeviation 5x5 -separate \
        -evaluate-sequence max -threshold 0 -negate \) \
        \( -clone 0 -channel B -separate +channel \) \( -clone 0 -channel R -separate +channel \) \
        -delete 0 \( -clone 1,2 -compose MinusSrc -composite -threshold 25% -negate \) -delete 1,2 \
        -compose multiply -composite -format "%[fx:mean] " info:
    region_mean "$water" 1280x400+0+0
}

# The red of the water near the eye (0..255).
near_red() {
    local r g b
    read -r r g b <<< "$(region_mean "$1" 1280x200+0+824)"
    echo "$r"
}

# The screen, screenshot into $2, shows the water near the eye unshaded: at
# least 30 levels redder than the shaded picture $1. The mirrored sky is
# much lighter than the shaded sea (some 60 levels of red), good files or bad.
unshaded_from() {
    local shaded now
    screenshot "$2"
    shaded=$(near_red "$1")
    now=$(near_red "$2")
    SEEN="red $now, shaded $shaded"
    [ "$now" -ge $((shaded + 30)) ]
}

# The viewer in the prepared run folder: screenshots $1-shaded.xwd and, once
# space has switched the shading off, $1-unshaded.xwd, its peak memory in
# PEAK_KB, status 0 on Escape.
run_and_look() {
    start_ocean
    screenshot "$WORK/$1-shaded.xwd"
    press space
    await 10 "$1: space does not switch the shading off" \
        unshaded_from "$WORK/$1-shaded.xwd" "$WORK/$1-unshaded.xwd"
    PEAK_KB=$(awk '/^VmHWM/ { print $2 }' "/proc/$OCEAN_PID/status")
    ocean_running || fail "$1: the viewer ended on its own"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "$1: exit status $OCEAN_STATUS after Escape"
}

# Water like the good run's: at most 2% more of it black, white or flat grey,
# and its mean colour within 40 of the good run's in every channel. Each run
# draws another sea, so the bounds leave room for that: the good runs' flat
# grey share stays under 0.5%, while a plain face fills a large part.
like_good_water() {
    local now="$(water_measures "$WORK/$1-$2.xwd")" good=${GOOD[$2]}
    echo "$1, $2: black, white, flat grey, mean colour: $now (good run: $good)"
    awk -v now="$now" -v good="$good" 'BEGIN {
        split(now, n, " "); split(good, g, " ")
        ok = n[1] <= g[1] + 0.02 && n[2] <= g[2] + 0.02 && n[3] <= g[3] + 0.02
        for (c = 4; c <= 6; c++) ok = ok && n[c] - g[c] <= 40 && g[c] - n[c] <= 40
        exit !ok }' || fail "$1, $2: black, white, flat grey or off-colour water"
}

start_display
make_run_dir
run_and_look good
good_peak=$PEAK_KB
[ ! -s "$WORK/stderr" ] || fail "messages with good files: $(cat "$WORK/stderr")"
declare -A GOOD=([shaded]="$(water_measures "$WORK/good-shaded.xwd")"
    [unshaded]="$(water_measures "$WORK/good-unshaded.xwd")")

rm -rf "$RUN_DIR"
make_run_dir
for entry in "${cases[@]}"; do
    IFS='|' read -r change expected <<< "$entry"
    (cd "$RUN_DIR" && $change)
done
run_and_look bad
for entry in "${cases[@]}"; do
    IFS='|' read -r change expected <<< "$entry"
    grep -qF -- "$expected" "$WORK/stderr" || fail "$change: no '$expected' on standard error"
done
[ "$(wc -l < "$WORK/stderr")" -eq ${#cases[@]} ] || fail "not one line for each: $(cat "$WORK/stderr")"
# A bad face may cost a scaled copy of itself, never hundreds of megabytes.
[ "$PEAK_KB" -le $((good_peak + 40000)) ] || fail "peak memory $PEAK_KB kB"
like_good_water bad shaded
like_good_water bad unshaded
echo "$(wc -l < "$WORK/stderr") lines, peak memory $PEAK_KB kB (good run $good_peak kB)"
# The pictures stay for a person to look at.
keep="$OCEAN_BUILD/e2e-pictures/$(basename "$0" .sh)"
keep_pictures "$keep"
echo "PASS"
