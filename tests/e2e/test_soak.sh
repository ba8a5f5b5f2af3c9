#!/usr/bin/env bash
# Runs the viewer for SOAK_FRAMES frames (900 by default, what a minute gives
# at the full window on a two-core machine; `make soak` runs ten times as
# many) and checks that its resident memory stays flat once it has settled:
# nothing may grow frame by frame. The frames are counted by the frame-rate
# benchmark's swap counter, preloaded into the viewer. A leak grows with the
# frames drawn, not with the size of the window: on a 640 x 512 screen the
# same frames come in less than half the time and CPU. What grows with the
# time instead, such as the four-a-second look at the window's state, gets
# the watched part's 20 s or so, not the minute's 45 s it had before.
SCREEN=${SCREEN:-640x512}
source "$(dirname "$0")/lib.sh"

frames=${SOAK_FRAMES:-900}
settle=$((frames / 4))
# Growth allowed after settling: allocator and driver caches may still move a
# little, a per-frame leak of even a few bytes a frame would pass it.
allowed_kib=${SOAK_ALLOWED_KIB:-1024}
# A viewer that draws fewer frames than this a second has hung, not slowed.
slowest_rate=2

# The software renderer keeps a scene for every flush its rasteriser threads
# have not yet drawn, and keeps each scene's memory for reuse: on a machine
# busy with other tests its pool grows in steps of megabytes, bounded by the
# flushes of one frame, that a soak cannot tell from a leak. With the
# rasterising done on the viewer's own thread the pool stays at one scene,
# and what grows is ours.
export LP_NUM_THREADS=0

rss_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$OCEAN_PID/status" 2> /dev/null | grep . ||
        fail "the viewer ended after $(frames_drawn) frames"
}
frames_drawn() { grep -c '^swap ' "$WORK/swaps.log" || true; }

# Watches the viewer until it has drawn $1 frames, by the deadline: it must
# keep running and keep drawing. Sets PEAK to the largest resident memory
# seen meanwhile.
watch_until() {
    local drawn rss
    PEAK=0
    while drawn=$(frames_drawn) && [ "$drawn" -lt "$1" ]; do
        ocean_running || fail "the viewer ended after $drawn frames"
        [ "$SECONDS" -lt "$deadline" ] || fail "only $drawn of $frames frames after $((frames / slowest_rate)) s"
        rss=$(rss_kib)
        [ "$rss" -gt "$PEAK" ] && PEAK=$rss
        sleep 1
    done
}

start_display
make_run_dir
OCEAN_LD_PRELOAD=$OCEAN_BUILD/bench/fps/libfps_swap_counter.so FPS_SWAP_LOG=$WORK/swaps.log start_ocean
# Without the counter (a build without bench/fps) nothing would be counted.
[ -s "$WORK/swaps.log" ] || fail "no swap log: the swap counter is not in $OCEAN_BUILD/bench/fps"
deadline=$((SECONDS + frames / slowest_rate))
press c # the overlay adds the text path to what is soaked
watch_until "$settle"
start_rss=$(rss_kib)
watch_until "$frames"
end_rss=$(rss_kib)
peak=$((PEAK > end_rss ? PEAK : end_rss))
screenshot "$WORK/end.xwd"
read -r r g b <<< "$(region_mean "$WORK/end.xwd" "$SCREEN+0+0")"
[ $((r + g + b)) -gt 60 ] || fail "the window is black after the soak"

echo "resident memory after ${settle} frames: ${start_rss} KiB; after $(frames_drawn) frames: ${end_rss} KiB; peak ${peak} KiB"
[ $((peak - start_rss)) -le "$allowed_kib" ] || fail "resident memory grew by $((peak - start_rss)) KiB"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
