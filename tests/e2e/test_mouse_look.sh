#!/usr/bin/env bash
# Dragging turns the view by 1/8 degree per pixel:
# dragging down looks down, so the sky and the horizon rise in the picture;
# dragging right turns right, so the sky slides to the left. A 90-degree view
# across 1280 pixels moves the centre by 640 x tan(10 degrees) = 113 pixels
# for 10 degrees, and points further out by more (perspective).
source "$(dirname "$0")/lib.sh"

# Brightness of each row of the picture's middle columns, one line per row.
row_profile() {
    "$CONVERT" "$1" -crop 400x1024+440+0 +repage -colorspace Gray -scale '1x1024!' -depth 16 txt:- |
        awk -F'[(),]' 'NR > 1 { print $4 }'
}

# Brightness of each column of the sky band, one line per column.
column_profile() {
    "$CONVERT" "$1" -crop 1280x260+0+60 +repage -colorspace Gray -scale '1280x1!' -depth 16 txt:- |
        awk -F'[(),]' 'NR > 1 { print $4 }'
}

# How far the stretch FROM..TO of the first profile moved in the second
# (negative: towards the start), found by the best match over shifts up to
# +-250. The sky stands still while the sea moves, so the stretch is sky.
best_shift() {
    paste "$1" "$2" | awk -v from="$3" -v to="$4" '
        { a[NR - 1] = $1; b[NR - 1] = $2 }
        END {
            best = -1; shift = 0
            for (s = -250; s <= 250; s++) {
                if (from + s < 0 || to + s >= NR) continue
                sum = 0
                for (x = from; x < to; x++) { d = a[x] - b[x + s]; sum += d * d }
                if (best < 0 || sum < best) { best = sum; shift = s }
            }
            print shift
        }'
}

# The profiles of a picture, rows in $1.rows and columns in $1.columns,
# made once for each picture that others are measured against.
profiles() {
    row_profile "$1" > "$1.rows"
    column_profile "$1" > "$1.columns"
}

# Vertical and horizontal movement of the sky from one picture, whose
# profiles are made, to another.
sky_rise() {
    row_profile "$2" > "$2.rows"
    echo $((-$(best_shift "$1.rows" "$2.rows" 260 460)))
}
sky_slide() {
    column_profile "$2" > "$2.columns"
    best_shift "$1.columns" "$2.columns" 260 1020
}

# The sky, screenshot into SKY_TO, has moved from the picture SKY_FROM, by
# SKY_MEASURE (sky_rise or sky_slide), by SKY_LOW..SKY_HIGH pixels. The
# movement is left in MOVED.
sky_moved() {
    screenshot "$SKY_TO"
    MOVED=$("$SKY_MEASURE" "$SKY_FROM" "$SKY_TO")
    SEEN="the sky moved by $MOVED pixels"
    [ "$MOVED" -ge "$SKY_LOW" ] && [ "$MOVED" -le "$SKY_HIGH" ]
}

# await_sky MEASURE FROM TO LOW HIGH: screenshots into TO until the sky has
# moved from FROM by LOW..HIGH pixels; a loaded machine draws the turn late.
await_sky() {
    SKY_MEASURE=$1 SKY_FROM=$2 SKY_TO=$3 SKY_LOW=$4 SKY_HIGH=$5
    await 20 "the sky has not moved by $4 to $5 pixels from $(basename "$2") ($1)" sky_moved
}

# drag FROM_X FROM_Y TO_X TO_Y [BUTTON]: the left one unless told. The
# server delivers the press, the move and the release in this order.
drag() {
    local button=${5:-1}
    xdotool mousemove "$1" "$2" mousedown "$button" mousemove "$3" "$4" mouseup "$button"
}

start_display
make_run_dir
start_ocean

screenshot "$WORK/start.xwd"
profiles "$WORK/start.xwd"

drag 640 400 640 480 # 80 pixels down: 10 degrees down
await_sky sky_rise "$WORK/start.xwd" "$WORK/down.xwd" 95 150
echo "the sky rose by $MOVED pixels after dragging 80 pixels down"

drag 640 480 640 400 # and back up
await_sky sky_rise "$WORK/start.xwd" "$WORK/level.xwd" -3 3
profiles "$WORK/level.xwd"

drag 600 500 680 500 # 80 pixels right: 10 degrees right
await_sky sky_slide "$WORK/level.xwd" "$WORK/right.xwd" -150 -95
echo "the sky moved by $MOVED pixels after dragging 80 pixels right"
profiles "$WORK/right.xwd"

# Any button turns the view from where it went down, however far away the
# drag before it ended: the same 80 pixels right with the left, middle and
# right button, each begun 480 or 600 pixels left of where the last drag
# ended and undone by a left drag, end at one heading, 10 degrees right.
for button in 1 2 3; do
    drag 200 300 280 300 "$button"
    await_sky sky_slide "$WORK/right.xwd" "$WORK/button-$button.xwd" -150 -95
    echo "button $button: the sky moved by $MOVED pixels after dragging 80 pixels right"
    [ "$button" != 1 ] || profiles "$WORK/button-1.xwd"
    same=$(sky_slide "$WORK/button-1.xwd" "$WORK/button-$button.xwd")
    [ "$same" -ge -3 ] && [ "$same" -le 3 ] || fail "button $button ended $same pixels from the left button's heading"
    drag 880 300 800 300
    await_sky sky_slide "$WORK/right.xwd" "$WORK/undone.xwd" -3 3
done

stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
