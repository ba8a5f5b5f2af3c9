#!/usr/bin/env bash
# Runs the viewer for SOAK_SECONDS (60 by default; `make soak` runs ten
# minutes) and checks that its resident memory stays flat once it has
# settled: nothing may grow frame by frame.
source "$(dirname "$0")/lib.sh"

seconds=${SOAK_SECONDS:-60}
settle=$((seconds / 4 > 60 ? 60 : seconds / 4))
# Growth allowed after settling: allocator and driver caches may still move a
# little, a per-frame leak of even a few bytes a frame would pass it.
allowed_kib=${SOAK_ALLOWED_KIB:-1024}

# The software renderer keeps a scene for every flush its rasteriser threads
# have not yet drawn, and keeps each scene's memory for reuse: on a machine
# busy with other tests its pool grows in steps of megabytes, bounded by the
# flushes of one frame, that a one-minute soak cannot tell from a leak. With
# the rasterising done on the viewer's own thread the pool stays at one scene,
# and what grows is ours.
export LP_NUM_THREADS=0

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$OCEAN_PID/status"; }

start_display
make_run_dir
start_ocean
press c # the overlay adds the text path to what is soaked
sleep "$settle"
start_rss=$(rss_kib)
peak=$start_rss
elapsed=$settle
while [ "$elapsed" -lt "$seconds" ]; do
    sleep 5
    elapsed=$((elapsed + 5))
    ocean_running || fail "the viewer ended after $elapsed s"
    rss=$(rss_kib)
    [ "$rss" -gt "$peak" ] && peak=$rss
done
end_rss=$(rss_kib)
screenshot "$WORK/end.xwd"
read -r r g b <<< "$(region_mean "$WORK/end.xwd" 1280x1024+0+0)"
[ $((r + g + b)) -gt 60 ] || fail "the window is black after the soak"

echo "resident memory after ${settle} s: ${start_rss} KiB; after ${seconds} s: ${end_rss} KiB; peak ${peak} KiB"
[ $((peak - start_rss)) -le "$allowed_kib" ] || fail "resident memory grew by $((peak - start_rss)) KiB"
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
