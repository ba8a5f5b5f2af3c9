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

# Vertical and horizontal movement of the sky from one picture to another.
sky_rise() {
    row_profile "$1" > "$WORK/rows-a"
    row_profile "$2" > "$WORK/rows-b"
    echo $((-$(best_shift "$WORK/rows-a" "$WORK/rows-b" 260 460)))
}
sky_slide() {
    column_profile "$1" > "$WORK/columns-a"
    column_profile "$2" > "$WORK/columns-b"
    best_shift "$WORK/columns-a" "$WORK/columns-b" 260 1020
}

# Screenshots into $2 until the sky has moved from picture $1 by LOW..HIGH
# pixels ($3, $4), for about 30 tries: a loaded machine may draw the turn
# late. The slide is left in SLIDE.
await_sky_slide() {
    local tries=0
    while :; do
        screenshot "$2"
        SLIDE=$(sky_slide "$1" "$2")
        [ "$SLIDE" -ge "$3" ] && [ "$SLIDE" -le "$4" ] && return
        tries=$((tries + 1))
        [ $tries -lt 30 ] || fail "the sky moved by $SLIDE pixels from $(basename "$1"), not $3 to $4"
        sleep 1
    done
}

# drag FROM_X FROM_Y TO_X TO_Y [BUTTON]: the left one unless told.
drag() {
    local button=${5:-1}
    xdotool mousemove "$1" "$2" mousedown "$button"
    sleep 0.3
    xdotool mousemove "$3" "$4"
    sleep 0.3
    xdotool mouseup "$button"
    sleep 1.5
}

start_display
make_run_dir
start_ocean

screenshot "$WORK/start.xwd"

drag 640 400 640 480 # 80 pixels down: 10 degrees down
screenshot "$WORK/down.xwd"
rise=$(sky_rise "$WORK/start.xwd" "$WORK/down.xwd")
echo "the sky rose by $rise pixels after dragging 80 pixels down"
[ "$rise" -ge 95 ] && [ "$rise" -le 150 ] || fail "the sky rose by $rise pixels, not about 113-140"

drag 640 480 640 400 # and back up
screenshot "$WORK/level.xwd"
rise=$(sky_rise "$WORK/start.xwd" "$WORK/level.xwd")
[ "$rise" -ge -3 ] && [ "$rise" -le 3 ] || fail "dragging back up left the sky $rise pixels off"

drag 600 500 680 500 # 80 pixels right: 10 degrees right
screenshot "$WORK/right.xwd"
shift=$(sky_slide "$WORK/level.xwd" "$WORK/right.xwd")
echo "the sky moved by $shift pixels after dragging 80 pixels right"
[ "$shift" -le -95 ] && [ "$shift" -ge -150 ] || fail "the sky moved by $shift pixels, not about -113 to -140"

# Any button turns the view from where it went down, however far away the
# drag before it ended: the same 80 pixels right with the left, middle and
# right button, each begun 480 or 600 pixels left of where the last drag
# ended and undone by a left drag, end at one heading, 10 degrees right.
for button in 1 2 3; do
    drag 200 300 280 300 "$button"
    await_sky_slide "$WORK/right.xwd" "$WORK/button-$button.xwd" -150 -95
    echo "button $button: the sky moved by $SLIDE pixels after dragging 80 pixels right"
    same=$(sky_slide "$WORK/button-1.xwd" "$WORK/button-$button.xwd")
    [ "$same" -ge -3 ] && [ "$same" -le 3 ] || fail "button $button ended $same pixels from the left button's heading"
    drag 880 300 800 300
    await_sky_slide "$WORK/right.xwd" "$WORK/undone.xwd" -3 3
done

stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
