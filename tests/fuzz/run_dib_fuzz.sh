#!/usr/bin/env bash
# Seeds the DIB fuzzer with valid files of every form, then lets it run for a
# bounded time. Any crash, leak, sanitizer report or timeout fails the test.
# Usage: run_dib_fuzz.sh MAKE_SEEDS FUZZER WORK_DIR
set -euo pipefail

make_seeds=$1
fuzzer=$2
work=$3
seconds=${DIB_FUZZ_SECONDS:-60}

rm -rf "$work"
mkdir -p "$work/seeds" "$work/corpus"
"$make_seeds" "$work/seeds"
echo "seeds: $(ls "$work/seeds" | wc -l) files"

# The new corpus goes first: libFuzzer adds what it finds to the first folder.
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$work/seeds" >"$work/fuzz.log" 2>&1 || {
    status=$?
    tail -n 60 "$work/fuzz.log"
    echo "the DIB fuzzer failed with status $status; artifacts in $work" >&2
    exit 1
}
grep -E '^Done |stat::number_of_executed_units|stat::peak_rss_mb|^#[0-9]+ +DONE' "$work/fuzz.log"
