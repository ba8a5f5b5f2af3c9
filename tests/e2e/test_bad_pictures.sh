#!/usr/bin/env bash
# Replacement pictures that do not fit: a cube face of another size than the
# others, a bottom picture that is not square, a face wider than the loader
# makes, run-length data cut short, and a tiny file declaring a vast picture.
# Each time the viewer says what it did in one line, keeps running, stays
# small, and draws the water, shaded and unshaded, much as with good files:
# no black, no white-out, its colour near that of the good run.
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

# label | change to the run folder | the line expected on standard error
cases=(
    "small-face|small_face|izpos.bmp: 128 x 128 picture scaled to 256 x 256"
    "wide-bottom|wide_bottom|bottom.jpg: 256 x 128 picture scaled to 256 x 256"
    "wide-face|wide_face|Error: Image file conversion error."
    "cut-run-lengths|cut_run_lengths|Error: Image file conversion error."
    "tiny-vast-face|tiny_vast_face|Error: Image file conversion error."
)

# Fractions of the water region that are near black (no channel above 16%),
# near white (every channel above 92%) and flat (not one channel changing
# within 5 x 5 pixels), and its mean colour.
water_measures() {
    local water=("$CONVERT" "$1" -crop "$WATER" +repage)
    "${water[@]}" -separate -evaluate-sequence max -threshold 16% -format "%[fx:1-mean] " info:
    "${water[@]}" -separate -evaluate-sequence min -threshold 92% -format "%[fx:mean] " info:
    "${water[@]}" -statistic StandardDeviation 5x5 -separate -evaluate-sequence max \
        -threshold 0 -format "%[fx:1-mean] " info:
    region_mean "$1" "$WATER"
}

# Runs the viewer in the prepared run folder; leaves $WORK/$1-shaded.png and
# $WORK/$1-unshaded.png (after space) and its peak memory in PEAK_KB.
run_and_look() {
    start_ocean
    screenshot "$WORK/$1-shaded.png"
    press space
    sleep 1.5
    screenshot "$WORK/$1-unshaded.png"
    PEAK_KB=$(awk '/^VmHWM/ { print $2 }' "/proc/$OCEAN_PID/status")
    ocean_running || fail "$1: the viewer ended on its own"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "$1: exit status $OCEAN_STATUS after Escape"
}

# Water like the good run's: at most 2% more of it black or white, at most
# 5% more of it flat, and its mean colour within 40 of the good run's in
# every channel.
like_good_water() {
    local label=$1 mode=$2 dark pale flat r g b
    read -r dark pale flat r g b <<< "$(water_measures "$WORK/$label-$mode.png")"
    read -r gdark gpale gflat gr gg gb <<< "${GOOD[$mode]}"
    echo "$label, $mode: black $dark, white $pale, flat $flat, mean $r $g $b" \
        "(good: $gdark, $gpale, $gflat, $gr $gg $gb)"
    awk -v d="$dark" -v gd="$gdark" -v p="$pale" -v gp="$gpale" -v f="$flat" -v gf="$gflat" \
        'BEGIN { exit !(d <= gd + 0.02 && p <= gp + 0.02 && f <= gf + 0.05) }' ||
        fail "$label, $mode: black, white or flat water"
    for pair in "$r $gr" "$g $gg" "$b $gb"; do
        set -- $pair
        [ $(($1 > $2 ? $1 - $2 : $2 - $1)) -le 40 ] || fail "$label, $mode: the water's colour is off"
    done
}

start_display
make_run_dir
run_and_look good
good_peak=$PEAK_KB
declare -A GOOD=([shaded]="$(water_measures "$WORK/good-shaded.png")"
    [unshaded]="$(water_measures "$WORK/good-unshaded.png")")
[ ! -s "$WORK/stderr" ] || fail "messages with good files: $(cat "$WORK/stderr")"

for entry in "${cases[@]}"; do
    IFS='|' read -r label change expected <<< "$entry"
    rm -rf "$RUN_DIR"
    make_run_dir
    (cd "$RUN_DIR" && $change)
    run_and_look "$label"
    grep -qF -- "$expected" "$WORK/stderr" || fail "$label: no '$expected' on standard error"
    [ "$(wc -l < "$WORK/stderr")" -eq 1 ] || fail "$label: not one line: $(cat "$WORK/stderr")"
    # A bad face may cost a scaled copy of itself, never hundreds of megabytes.
    [ "$PEAK_KB" -le $((good_peak + 40000)) ] || fail "$label: peak memory $PEAK_KB kB, good run $good_peak kB"
    like_good_water "$label" shaded
    like_good_water "$label" unshaded
    echo "$label: '$(cat "$WORK/stderr")', peak memory $PEAK_KB kB (good run $good_peak kB)"
done
# The pictures stay for a person to look at.
keep="$OCEAN_BUILD/e2e-pictures/$(basename "$0" .sh)"
mkdir -p "$keep" && cp "$WORK"/*.png "$keep"/
echo "PASS"
