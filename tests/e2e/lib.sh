# Sourced by the end-to-end tests: the viewer's session on a private display
# (scripts/lib/session.sh) and the looks at the screen only the tests take.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/session.sh"

# The viewer draws frame after frame for as long as a test runs, and a test
# looks at few of them. The software renderer rasterises on a thread for each
# core besides the viewer's own: each frame then comes sooner, but the frames
# no test looks at take every core, beside the other tests. On the viewer's
# own thread it keeps to one core (LP_NUM_THREADS given outside still holds).
export LP_NUM_THREADS=${LP_NUM_THREADS-0}

# Counts the pure white pixels of the overlay's corner, where its text goes,
# at the foot of the window.
white_in_overlay_corner() {
    "$CONVERT" "$1" -crop "260x60+$((WINDOW_LEFT + 5))+$((WINDOW_BOTTOM - 89))" +repage \
        -fill black +opaque white \
        -format "%[fx:int(mean*w*h+0.5)]" info:
}

# "r g b" of one pixel of a picture.
pixel() {
    "$CONVERT" "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# A real window manager on the private display, Openbox: title bars and
# borders, minimising and restoring; any arguments are Openbox's. It ends
# with the display.
start_window_manager() {
    openbox --sm-disable "$@" > "$WORK/openbox.log" 2>&1 &
    await 10 "no window manager" window_manager_running
}

window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q "window id"
}

# The screen, screenshot into $2, differs from the picture $1 in the region
# $3 (the whole screen if not given) by more than 0.002 root-mean-square: the
# sea has moved. The difference is left in CHANGE.
changed_from() {
    screenshot "$2"
    CHANGE=$(picture_difference "$1" "$2" "${3:-}")
    SEEN="a difference of $CHANGE"
    awk -v d="$CHANGE" 'BEGIN { exit !(d > 0.002) }'
}
