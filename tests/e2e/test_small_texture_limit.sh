#!/usr/bin/env bash
# A GL whose textures stop at 2048 pixels a side, as a small GPU's (a library
# preloaded into the viewer, tests/e2e/small_texture_limit.cpp): a 3000 x 1500
# sky goes up at half its size with one line saying so, and shows the same sky
# as a GL that takes it whole. A driver that promises more than it takes has
# its refusal said in one line naming the texture, and its sky is white.
source "$(dirname "$0")/lib.sh"

LIMIT_LIBRARY=$OCEAN_BUILD/tests/libsmall-texture-limit.so
[ -f "$LIMIT_LIBRARY" ] || fail "no $LIMIT_LIBRARY: the tests are not built"
SCALED="cloudy1.jpg: 3000 x 1500 picture scaled to 1500 x 750 (1/2), at most 2048 pixels a side"
REFUSED="can't make the texture of cloudy1.jpg: GL_INVALID_VALUE"

said_only() { [ "$(cat "$WORK/stderr")" = "$1" ]; }

# The viewer on the limited GL; $1 is the limit its queries answer.
run_limited() {
    OCEAN_LD_PRELOAD="$LIMIT_LIBRARY${OCEAN_LD_PRELOAD:+ $OCEAN_LD_PRELOAD}" \
        SMALL_TEXTURE_LIMIT=2048 SMALL_TEXTURE_ANSWER=$1 start_ocean
}

# Screenshot $1.xwd of a run that said only $2; it ends on Escape.
look_and_stop() {
    await 20 "the console does not say only '$2'" said_only "$2"
    screenshot "$WORK/$1.xwd"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "$1: exit status $OCEAN_STATUS after Escape"
}

start_display
make_run_dir
"$CONVERT" "$RUN_DIR/cloudy1.jpg" -resize '3000x1500!' -quality 92 "$RUN_DIR/cloudy1.jpg"
start_ocean
read -r left top width _ < <(window_geometry)
SKY="${width}x300+$left+$top"
look_and_stop whole ""
run_limited 2048
look_and_stop limited "$SCALED"
run_limited 16384
look_and_stop refused "$REFUSED"

difference=$(picture_difference "$WORK/whole.xwd" "$WORK/limited.xwd" "$SKY")
# Softer clouds alone: 0.0025 at half the size, 0.006 at a quarter.
awk -v d="$difference" 'BEGIN { exit !(d < 0.01) }' ||
    fail "the sky at half size differs from the whole one by $difference"
read -r r g b <<< "$(region_mean "$WORK/refused.xwd" "$SKY")"
[ $((r + g + b)) -gt 735 ] || fail "a refused sky shows $r $g $b, not white"
echo "PASS (the sky at half size is off the whole one by $difference)"
