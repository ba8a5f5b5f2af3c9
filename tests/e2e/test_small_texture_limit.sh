#!/usr/bin/env bash
# A GL whose textures stop at 2048 pixels a side, as on a small GPU (a small
# library preloaded into the viewer answers the limit queries so and refuses
# larger uploads, as its driver would): a 3000 x 1500 sky is decoded at half
# its size, says so in one line, and the dome shows the same sky as a GL that
# takes it whole, where a refused sky would be white. A driver that promises
# more than it takes has its refusal reported in one line naming the texture.
source "$(dirname "$0")/lib.sh"

LIMIT_LIBRARY=$OCEAN_BUILD/tests/libsmall-texture-limit.so
[ -f "$LIMIT_LIBRARY" ] || fail "no $LIMIT_LIBRARY: the tests are not built"
SCALED_LINE="cloudy1.jpg: 3000 x 1500 picture scaled to 1500 x 750 (1/2), at most 2048 pixels a side"
REFUSED_LINE="can't make the texture of cloudy1.jpg: GL_INVALID_VALUE"

said() { grep -qxF "$1" "$WORK/stderr"; }

# The sky, a band across the top of the window, as the crop WxH+X+Y.
SKY=
sky_region() {
    local left top width
    read -r left top width _ < <(window_geometry)
    SKY="${width}x300+$left+$top"
}

# The viewer on the limited GL; SMALL_TEXTURE_ANSWER is what it says it takes.
run_limited() {
    OCEAN_LD_PRELOAD="$LIMIT_LIBRARY${OCEAN_LD_PRELOAD:+ $OCEAN_LD_PRELOAD}" \
        SMALL_TEXTURE_LIMIT=2048 SMALL_TEXTURE_ANSWER=$1 start_ocean
}

stop_and_check() {
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "$1: exit status $OCEAN_STATUS after Escape"
}

start_display
make_run_dir
# The installed sky, enlarged past the limit.
"$CONVERT" "$RUN_DIR/cloudy1.jpg" -resize '3000x1500!' -quality 92 "$RUN_DIR/cloudy1.jpg"

# The same sky where the GL takes it whole, to compare with.
start_ocean
sky_region
screenshot "$WORK/whole.xwd"
[ ! -s "$WORK/stderr" ] || fail "a whole sky with lines: $(cat "$WORK/stderr")"
stop_and_check "the whole sky"

run_limited 2048
await 20 "no line about the scaled sky" said "$SCALED_LINE"
screenshot "$WORK/limited.xwd"
[ "$(wc -l < "$WORK/stderr")" = 1 ] || fail "more than the scaling line: $(cat "$WORK/stderr")"
difference=$(picture_difference "$WORK/whole.xwd" "$WORK/limited.xwd" "$SKY")
awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }' ||
    fail "the sky at half size differs from the whole one by $difference"
stop_and_check "the limited GL"

# A driver that promises 16384 and refuses the full-size sky: it is white.
run_limited 16384
await 20 "no line about the refused sky" said "$REFUSED_LINE"
! grep -q "picture scaled" "$WORK/stderr" || fail "a sky scaled for a limit the GL did not give"
screenshot "$WORK/refused.xwd"
read -r r g b <<< "$(region_mean "$WORK/refused.xwd" "$SKY")"
[ $((r + g + b)) -gt 735 ] || fail "a refused sky shows $r $g $b, not white"
stop_and_check "the refusing GL"
echo "PASS (sky at half size off the whole one by $difference)"
