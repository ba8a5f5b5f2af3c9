#!/usr/bin/env bash
# `make run` on a machine without a display: scripts/run-viewer starts its
# own X server, runs the viewer there, keeps a screenshot of the sea and ends
# cleanly, leaving no server or viewer behind.
source "$(dirname "$0")/lib.sh"

shot=$OCEAN_BUILD/screenshot.png
rm -f "$shot"
# A session of its own, so that whatever the script leaves running can be
# found among its members afterwards.
env -u DISPLAY setsid bash "${OCEAN_SOURCE:?}/scripts/run-viewer" "$OCEAN_BUILD" \
    > "$WORK/run.log" 2>&1 &
session=$!
status=0
wait "$session" || status=$?
cat "$WORK/run.log"
[ "$status" = 0 ] || fail "run-viewer ended with status $status"
grep -q "^No display found" "$WORK/run.log" || fail "run-viewer did not say it ran without a display"
left=$(pgrep -s "$session" -a || true)
[ -z "$left" ] || fail "left running: $left"

[ -f "$shot" ] || fail "no screenshot at $shot"
[ "$("$CONVERT" "$shot" -format '%wx%h' info:)" = "$SCREEN" ] || fail "the screenshot is not $SCREEN"
# The sea near the eye, not the black of an empty screen.
read -r r g b <<< "$(region_mean "$shot" "1280x100+0+$((SCREEN_HEIGHT - 100))")"
echo "mean colour near the eye: $r $g $b"
[ $((r + g + b)) -gt 60 ] || fail "the screenshot shows no sea"
echo "PASS"
