# A session with the real viewer, shared by the end-to-end tests, the
# frame-rate benchmark and the scripts that draw on a private display: a
# private X server, a private copy of the run folder, the viewer started in
# it, and ways to look at the screen. Sourced, not run. Needs OCEAN_BUILD
# (the build folder).
set -euo pipefail

OCEAN_BUILD=${OCEAN_BUILD:?set OCEAN_BUILD to the build folder}
OCEAN_BINARY=$OCEAN_BUILD/app/ocean
# The screen, large enough for the whole 1280 x 1024 window unless a test
# sets a smaller one before sourcing this.
SCREEN=${SCREEN:-1280x1024}
SCREEN_HEIGHT=${SCREEN#*x}
# More for the X server, such as a second screen with +xinerama, which makes
# SCREEN the first monitor of a larger screen.
XVFB_ARGS=${XVFB_ARGS:-}
# The viewer's window and where its drawing ends on the screen (start_ocean
# finds them): at the screen's foot unless the window is smaller or a window
# manager has put a title bar above it.
OCEAN_WINDOW=
WINDOW_LEFT=0
WINDOW_BOTTOM=$SCREEN_HEIGHT
CONVERT=/usr/bin/convert
WORK=$(mktemp -d /tmp/ocean-e2e.XXXXXX)
RUN_DIR=$WORK/data
OCEAN_PID=
XVFB_PID=

cleanup() {
    if [ -n "$OCEAN_PID" ] && kill -0 "$OCEAN_PID" 2>/dev/null; then
        kill -9 "$OCEAN_PID" 2>/dev/null || true
    fi
    # Waited for, so that the server is gone when the caller ends.
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    # The pictures a failed run looked at, kept for a person to see.
    keep_pictures "${OCEAN_BUILD}/e2e-failures/$(basename "$0" .sh)" &&
        echo "pictures kept in ${OCEAN_BUILD}/e2e-failures/$(basename "$0" .sh)" >&2
    if [ -f "$WORK/stdout" ]; then
        echo "--- viewer stdout (last 400 bytes)" >&2
        tail -c 400 "$WORK/stdout" >&2 || true
        echo >&2
        echo "--- viewer stderr" >&2
        tail -n 20 "$WORK/stderr" >&2 || true
    fi
    exit 1
}

# A private X server with the screen SCREEN.
start_display() {
    exec 3> "$WORK/displayfd"
    # -noreset: the server would otherwise reset whenever its last client
    # leaves, and a viewer started during the reset cannot connect. -br: a
    # black root, so that a window not drawn yet shows black.
    Xvfb -displayfd 3 -screen 0 "${SCREEN}x24" $XVFB_ARGS -nolisten tcp -noreset -br > "$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local n=0
    while [ ! -s "$WORK/displayfd" ]; do
        sleep 0.1
        n=$((n + 1))
        [ $n -lt 100 ] || fail "Xvfb did not start"
    done
    export DISPLAY=":$(head -n 1 "$WORK/displayfd")"
    # The number is written once the server is up; make sure it is ours and
    # answers before anything is started on it (with xdotool, which every
    # use of the display has).
    n=0
    until xdotool getdisplaygeometry > /dev/null 2>&1; do
        sleep 0.1
        n=$((n + 1))
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended: $(cat "$WORK/xvfb.log")"
        [ $n -lt 100 ] || fail "Xvfb on $DISPLAY does not answer"
    done
}

# A copy of the run folder that a test may change freely.
make_run_dir() {
    mkdir -p "$RUN_DIR"
    cp -r "$OCEAN_BUILD"/data/. "$RUN_DIR"/
}

# Runs the command given until it succeeds, at most $1 seconds; fails the
# test with the text $2 if it never does, and with what the command's last
# try saw if it said so in SEEN.
await() {
    local seconds=$1 what=$2 n=0
    shift 2
    SEEN=
    until "$@"; do
        sleep 0.2
        n=$((n + 1))
        [ $n -lt $((seconds * 5)) ] || fail "$what after $seconds s${SEEN:+ (last seen: $SEEN)}"
    done
}

# The viewer has drawn a frame with the sea in it: the screen holds more
# than black, and the sea near the eye more than the clear colour (0 0 128),
# which is all the very first frame, drawn before the first wave step, shows
# there.
screen_drawn() {
    local r g b
    screenshot "$WORK/screen.xwd"
    read -r r g b <<< "$(region_mean "$WORK/screen.xwd" "$SCREEN+0+0")"
    [ $((r + g + b)) -gt 60 ] || return 1
    read -r r g b <<< "$(region_mean "$WORK/screen.xwd" "1280x100+$WINDOW_LEFT+$((WINDOW_BOTTOM - 100))")"
    [ $((r + g + (b > 128 ? b - 128 : 128 - b))) -gt 8 ]
}

# Starts the viewer in the run folder and waits until its window is mapped
# and its first frame is on the screen.
start_ocean() {
    # OCEAN_LD_PRELOAD: the sanitized build's preloaded GL driver.
    (cd "$RUN_DIR" && exec env ${OCEAN_LD_PRELOAD:+LD_PRELOAD="$OCEAN_LD_PRELOAD"} \
        "$OCEAN_BINARY" "$@" > "$WORK/stdout" 2> "$WORK/stderr") &
    OCEAN_PID=$!
    local n=0
    until xdotool search --onlyvisible --name "ocean" > /dev/null 2>&1; do
        sleep 0.2
        n=$((n + 1))
        kill -0 "$OCEAN_PID" 2>/dev/null || fail "the viewer ended during start-up"
        [ $n -lt 150 ] || fail "no window after 30 s"
    done
    OCEAN_WINDOW=$(xdotool search --onlyvisible --name "ocean" | head -n 1)
    read -r WINDOW_LEFT WINDOW_BOTTOM < <(window_geometry | awk '{ print $1, $2 + $4 }')
    await 30 "nothing drawn" screen_drawn
    # SETTLE_SECONDS: more frames before going on, for a measurement.
    sleep "${SETTLE_SECONDS:-0}"
}

# "left top width height" of the viewer's window on the screen, inside any
# frame a window manager puts around it.
window_geometry() {
    xwininfo -id "$OCEAN_WINDOW" | awk -F: '
        /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
        /^ *Width/ { w = $2 } /^ *Height/ { h = $2 }
        END { print x + 0, y + 0, w + 0, h + 0 }'
}

ocean_running() { kill -0 "$OCEAN_PID" 2>/dev/null; }

# Keys go to the window under the pointer: there is no window manager.
press() {
    xdotool mousemove 640 512
    xdotool key "$@"
}

# The screen into the file $1. NAME.xwd is a raw dump (which convert reads):
# instant, where a PNG made while the viewer runs takes seconds.
screenshot() {
    case "$1" in
        *.xwd) xwd -root -silent > "$1" ;;
        *) xwd -root -silent | "$CONVERT" xwd:- "$1" ;;
    esac
}

# The screenshots of this run as PNG files in the folder $1.
keep_pictures() {
    local picture
    mkdir -p "$1"
    for picture in "$WORK"/*.xwd; do
        [ -f "$picture" ] || return 1
        "$CONVERT" "$picture" "$1/$(basename "$picture" .xwd).png"
    done
}

# Mean "r g b" (0..255) of a region WxH+X+Y.
region_mean() {
    "$CONVERT" "$1" -crop "$2" +repage -format "%[fx:int(255*mean.r+0.5)] %[fx:int(255*mean.g+0.5)] %[fx:int(255*mean.b+0.5)]" info:
}

# Root-mean-square difference (0..1) between two pictures, of the region
# WxH+X+Y if given.
picture_difference() {
    local region=${3:-1280x1024+0+0}
    "$CONVERT" "$1" -crop "$region" +repage "$WORK/difference-a.miff"
    "$CONVERT" "$2" -crop "$region" +repage "$WORK/difference-b.miff"
    # compare exits 1 when the pictures differ, which is no failure here.
    { compare -metric RMSE "$WORK/difference-a.miff" "$WORK/difference-b.miff" null: 2>&1 || true; } |
        sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}

# Waits for the viewer to end, at most $1 seconds, and sets OCEAN_STATUS to
# its exit status ("running" if it is still there). Not for a subshell: only
# this shell can wait for the viewer.
wait_ocean() {
    local n=0
    while ocean_running && [ $n -lt $(($1 * 10)) ]; do
        sleep 0.1
        n=$((n + 1))
    done
    if ocean_running; then
        OCEAN_STATUS=running
        return
    fi
    OCEAN_STATUS=0
    wait "$OCEAN_PID" || OCEAN_STATUS=$?
    OCEAN_PID=
}

# Ends the viewer with Escape; sets OCEAN_STATUS.
stop_ocean() {
    press Escape
    wait_ocean 10
}
