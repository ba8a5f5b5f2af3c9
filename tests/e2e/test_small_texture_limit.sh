#!/usr/bin/env bash
# A GL whose textures stop at 2048 pixels a side, as on a small GPU (a small
# library preloaded into the viewer answers the limit queries so and refuses
# larger uploads, as its driver would): a 3000 x 1500 sky is decoded at half
# its size, says so in one line, and the dome shows the photo's colours where
# a refused sky would be white. A driver that promises more than it takes
# has its refusal reported in one line naming the texture.
source "$(dirname "$0")/lib.sh"

LIMIT_LIBRARY=$OCEAN_BUILD/tests/libsmall-texture-limit.so
[ -f "$LIMIT_LIBRARY" ] || fail "no $LIMIT_LIBRARY: the tests are not built"
SCALED_LINE="cloudy1.jpg: 3000 x 1500 picture scaled to 1500 x 750 (1/2), at most 2048 pixels a side"
REFUSED_LINE="can't make the texture of cloudy1.jpg: GL_INVALID_VALUE"

said() { grep -qxF "$1" "$WORK/stderr"; }

# "r g b" of the sky: a band across the top of the window.
sky_colour() {
    local left top width
    read -r left top width _ < <(window_geometry)
    region_mean "$1" "${width}x200+$left+$top"
}

# The viewer on the limited GL; SMALL_TEXTURE_ANSWER is what it says it takes.
run_limited() {
    OCEAN_LD_PRELOAD="$LIMIT_LIBRARY${OCEAN_LD_PRELOAD:+ $OCEAN_LD_PRELOAD}" \
        SMALL_TEXTURE_LIMIT=2048 SMALL_TEXTURE_ANSWER=$1 start_ocean
}

start_display
make_run_dir
# A warm sky that no default picture has, red over green over blue throughout.
"$CONVERT" -size 3000x1500 gradient:'#f0a050-#b06020' -quality 90 "$RUN_DIR/cloudy1.jpg"

run_limited 2048
await 20 "no line about the scaled sky" said "$SCALED_LINE"
screenshot "$WORK/limited.xwd"
read -r r g b <<< "$(sky_colour "$WORK/limited.xwd")"
[ "$r" -gt $((g + 30)) ] && [ "$g" -gt $((b + 30)) ] ||
    fail "the sky is $r $g $b, not the picture's warm colours"
! said "$REFUSED_LINE" || fail "the GL refused the sky it was fitted to"
[ "$(grep -c "picture scaled" "$WORK/stderr")" = 1 ] || fail "not one line about the scaling"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status $OCEAN_STATUS after Escape"

# The driver that promises 16384 and refuses the full-size sky.
run_limited 16384
await 20 "no line about the refused sky" said "$REFUSED_LINE"
! grep -q "picture scaled" "$WORK/stderr" || fail "a sky scaled for a limit the GL did not give"
screenshot "$WORK/refused.xwd"
read -r r g b <<< "$(sky_colour "$WORK/refused.xwd")"
[ "$b" -gt 240 ] && [ "$r" -gt 240 ] || fail "a refused sky shows $r $g $b, not white"
stop_ocean
echo "PASS"
