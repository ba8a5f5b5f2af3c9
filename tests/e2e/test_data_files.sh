#!/usr/bin/env bash
# The viewer started in an empty folder, as a newcomer starts build/app/ocean
# from elsewhere: each loader names its file on standard error, one last line
# says where the data files are and how to start the viewer there, and the
# viewer still starts, keeps drawing a moving picture and ends with status 0
# on Escape. What stands in for each missing file is seen by the GL tests;
# with every file there nothing is said about any of them (test_shell.sh).
source "$(dirname "$0")/lib.sh"

files="cloudy1.jpg ixpos.bmp ixneg.bmp iypos.bmp iyneg.bmp izpos.bmp izneg.bmp bottom.jpg"

expected_message() {
    case "$1" in
        *.jpg) echo "can't open $1" ;;
        *.bmp) echo "Failed to open DIB file $1." ;;
    esac
}

start_display
mkdir -p "$RUN_DIR"
start_ocean
screenshot "$WORK/first.xwd"
# Something is drawn, and it moves.
await 10 "the picture does not change" changed_from "$WORK/first.xwd" "$WORK/second.xwd"
ocean_running || fail "the viewer ended on its own"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"

for file in $files; do
    message=$(expected_message "$file")
    grep -qF "$message" "$WORK/stderr" || fail "no '$message' on standard error"
done
read -r r g b <<< "$(region_mean "$WORK/first.xwd" 1280x1024+0+0)"
[ $((r + g + b)) -gt 60 ] || fail "the window is black ($r $g $b)"
hint=$(tail -n 1 "$WORK/stderr")
for part in build/data "make run" share/ocean-viewer "launcher ocean-viewer"; do
    grep -qF "$part" <<< "$hint" || fail "the last line names no '$part': $hint"
done
[ "$(grep -cF "$hint" "$WORK/stderr")" = 1 ] || fail "the hint comes more than once"
cat "$WORK/stderr"
echo "without any data file: $(wc -l < "$WORK/stderr") messages, still drawing, status 0"
echo "PASS"
