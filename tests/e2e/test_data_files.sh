#!/usr/bin/env bash
# The viewer's images, each one missing in turn: the loader names the file on
# standard error, and the viewer still starts, keeps drawing a moving picture
# and ends with status 0 on Escape. With every file there nothing is said
# about any of them; how the complete set looks is pinned by the reference
# pictures of the GL tests.
source "$(dirname "$0")/lib.sh"
export SETTLE_SECONDS=1

files="cloudy1.jpg ixpos.bmp ixneg.bmp iypos.bmp iyneg.bmp izpos.bmp izneg.bmp bottom.jpg"

expected_message() {
    case "$1" in
        *.jpg) echo "can't open $1" ;;
        *.bmp) echo "Failed to open DIB file $1." ;;
    esac
}

# A raw dump of the screen: instant, where a PNG grab competes for seconds
# with the running viewer. The pictures are looked at once it has ended.
grab() { xwd -root -silent > "$1"; }

# Runs the viewer in the prepared run folder, grabs the screen twice a second
# apart ($WORK/$1-first.xwd, -second.xwd), then ends the viewer with Escape.
run_viewer() {
    local label=$1
    start_ocean
    grab "$WORK/$label-first.xwd"
    sleep 1
    grab "$WORK/$label-second.xwd"
    ocean_running || fail "$label: the viewer ended on its own"
    stop_ocean
    [ "$OCEAN_STATUS" = 0 ] || fail "$label: exit status after Escape: $OCEAN_STATUS"
}

# Something is drawn, and it moves.
check_drawing() {
    local label=$1 r g b change
    read -r r g b <<< "$(region_mean "$WORK/$label-first.xwd" 1280x1024+0+0)"
    [ $((r + g + b)) -gt 60 ] || fail "$label: the window is black ($r $g $b)"
    # compare reports differing pictures with a non-zero status
    change=$(picture_difference "$WORK/$label-first.xwd" "$WORK/$label-second.xwd" || true)
    awk -v c="$change" 'BEGIN { exit !(c > 0.002) }' || fail "$label: the picture does not change ($change)"
}

start_display
# The server resets whenever its last client leaves, and a viewer started
# during the reset cannot connect: one quiet client stays for the whole test.
xprop -root -spy > /dev/null 2>&1 &
KEEPER_PID=$!

for file in $files; do
    rm -rf "$RUN_DIR"
    make_run_dir
    rm "$RUN_DIR/$file"
    run_viewer "$file"
    message=$(expected_message "$file")
    grep -qF "$message" "$WORK/stderr" || fail "$file: no '$message' on standard error"
    check_drawing "$file"
    echo "without $file: '$message', still drawing, status 0"
done

rm -rf "$RUN_DIR"
make_run_dir
run_viewer complete
for file in $files; do
    ! grep -qF "$file" "$WORK/stderr" || fail "a message about $file with every file present"
done
check_drawing complete
kill "$KEEPER_PID"
echo "PASS"
