#!/usr/bin/env bash
# Closing the window, as a window manager's close button asks it to, ends the
# viewer.
source "$(dirname "$0")/lib.sh"

start_display
make_run_dir
start_ocean
window=$(xdotool search --onlyvisible --name "ocean" | head -n 1)
"${OCEAN_CLOSE_WINDOW:?}" "$window"
wait_ocean 10
[ "$OCEAN_STATUS" != running ] || fail "the viewer is still running after its window was closed"
echo "exit status after closing the window: $OCEAN_STATUS"
[ "$OCEAN_STATUS" = 0 ] || fail "exit status $OCEAN_STATUS after closing the window"
echo "PASS"
