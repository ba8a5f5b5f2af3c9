#!/usr/bin/env bash
# While nobody can see the window the viewer computes nothing and its CPU
# time all but stops; seen again, it draws a moving sea. Without a window
# manager: the hidden mark that compositing managers put on minimised
# windows they keep mapped, and the X server's screen saver. Under a real
# window manager: minimised, and unmapped. Prints a table of the CPU time a
# second while hidden and after.
source "$(dirname "$0")/lib.sh"

TICKS=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$OCEAN_PID/stat"; }

# CPU ticks the viewer uses in $1 seconds.
cpu_during() {
    local before
    before=$(cpu_ticks)
    sleep "$1"
    echo $(($(cpu_ticks) - before))
}

# Half a second with at most a twentieth of it on the CPU: the tick under
# way when the window went, and the look that finds the mark, are over.
resting() { [ "$(cpu_during 0.5)" -le $((TICKS / 40)) ]; }

# Two pictures half a second apart differ: the sea moves, not merely shows.
sea_moving() {
    screenshot "$WORK/$1-a.xwd"
    sleep 0.5
    changed_from "$WORK/$1-a.xwd" "$WORK/$1-b.xwd"
}

mark_hidden() {
    xprop -id "$OCEAN_WINDOW" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_HIDDEN
}
unmark_hidden() { xprop -id "$OCEAN_WINDOW" -remove _NET_WM_STATE; }
saver_on() { xset s activate; }
saver_off() { xset s reset; }
minimise() { xdotool windowminimize --sync "$OCEAN_WINDOW"; }
unmap() { xdotool windowunmap --sync "$OCEAN_WINDOW"; }
map() { xdotool windowmap --sync "$OCEAN_WINDOW"; }

# hidden HOW SHOW: the CPU time a second while hidden the way HOW hides the
# window, and after SHOW shows it again, once the sea moves.
hidden() {
    local used after
    "$1"
    await 5 "the viewer keeps computing after $1" resting
    used=$(cpu_during 1)
    "$2"
    await 10 "the sea does not move after $1 and $2" sea_moving "$1"
    after=$(cpu_during 1)
    printf '%-14s %6s %6s\n' "$1" "$used" "$after"
    [ "$used" -le $((TICKS * 3 / 20)) ] || fail "$used ticks of CPU in 1 s after $1"
}

start_display
make_run_dir
start_ocean
echo "CPU ticks a second ($TICKS a second), hidden and shown again:"
printf '%-14s %6s %6s\n' hidden-by on off
hidden mark_hidden unmark_hidden
hidden saver_on saver_off
start_window_manager
hidden minimise map
hidden unmap map
stop_ocean
[ "$OCEAN_STATUS" = 0 ] || fail "exit status after Escape: $OCEAN_STATUS"
echo "PASS"
