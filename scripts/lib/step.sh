#!/usr/bin/env bash
# Runs one step of a longer job and says what it cost: its wall time and the
# CPU time of everything it ran, on standard error and, when STEP_LOG names a
# file, added to that file. Ends with the command's status.
# Usage: step.sh NAME COMMAND [ARGUMENT...]
name=$1
shift
started=$(date +%s.%N)
"$@"
status=$?
# The children's CPU times, as the shell has collected them (the second line
# of times, "XmY.YYYs XmY.YYYs"): what this step ran, and all they ran in turn.
# Asked in this shell: a command substitution would ask a subshell of its own.
times_file=$(mktemp)
times > "$times_file"
cpu=$(sed -n 2p "$times_file" | awk '{ gsub(/[ms]/, " "); print $1 * 60 + $2 + $3 * 60 + $4 }')
rm -f "$times_file"
line=$(awk -v n="$name" -v s="$started" -v e="$(date +%s.%N)" -v c="$cpu" -v st="$status" \
    'BEGIN { printf "%-36s %6.1f s wall %7.1f s CPU%s\n", n ":", e - s, c, st == 0 ? "" : "  (failed)" }')
echo "$line" >&2
[ -n "${STEP_LOG:-}" ] && echo "$line" >> "$STEP_LOG"
exit $status
