#!/usr/bin/env bash
# Under weston, a Wayland compositor, through Xwayland: weston's window
# manager publishes neither a work area nor the frame it draws and places
# the window below its panel, yet the whole window ends on the 1366 x 768
# screen, and Escape ends the viewer. Weston runs nested in a private X
# server, whose screen shows what weston draws; the screenshot stays for a
# person to look at. Skipped (status 77) only when weston cannot start,
# and failed then in CI (CI=true), which installs weston: a green run there
# has run it.
SCREEN=1366x768
source "$(dirname "$0")/lib.sh"

WESTON_PID=
stop_weston() {
    if [ -n "$WESTON_PID" ]; then
        kill "$WESTON_PID" 2>/dev/null || true
        wait "$WESTON_PID" 2>/dev/null || true
    fi
}
trap 'stop_weston; cleanup' EXIT

# Xwayland's display, once weston has started it.
xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log"; }
weston_ready() {
    kill -0 "$WESTON_PID" 2>/dev/null || return 0
    [ -n "$(xwayland_display)" ]
}

start_display
HOST_DISPLAY=$DISPLAY
mkdir -m 700 "$WORK/runtime"
XDG_RUNTIME_DIR=$WORK/runtime weston --backend=x11-backend.so --xwayland \
    --width=1366 --height=768 --socket="ocean-e2e-$$" > "$WORK/weston.log" 2>&1 &
WESTON_PID=$!
await 20 "weston started no Xwayland" weston_ready
if ! kill -0 "$WESTON_PID" 2>/dev/null; then
    [ "${CI:-}" != true ] || fail "weston did not start: $(tail -n 5 "$WORK/weston.log")"
    echo "SKIP: weston did not start:" >&2
    tail -n 5 "$WORK/weston.log" >&2
    exit 77
fi
export DISPLAY=$(xwayland_display)

# What weston shows is on the private X server's screen, at the same place
# as on Xwayland's root.
screenshot() { DISPLAY=$HOST_DISPLAY xwd -root -silent > "$1"; }

make_run_dir
start_ocean
# The look that mends the window's fit comes within a second of its showing.
ends_on_the_screen() {
    read -r left top width height < <(window_geometry)
    [ "$top" -gt 0 ] && [ $((left + width)) -le 1366 ] && [ $((top + height)) -le 768 ]
}
await 5 "the window does not end on the 1366 x 768 screen: $(window_geometry)" ends_on_the_screen
echo "window $(window_geometry) (left top width height)"
screenshot "$WORK/weston.xwd"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
keep_pictures "$OCEAN_BUILD/e2e-pictures/$(basename "$0" .sh)"
echo "PASS"
