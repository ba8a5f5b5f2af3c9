#!/usr/bin/env bash
# Seeds the DIB fuzzer with valid files of every form, then lets it run for a
# bounded time. Any crash, leak, sanitizer report or timeout fails the run.
# Usage: run_dib_fuzz.sh MAKE_SEEDS FUZZER WORK_DIR [keep]
# Without "keep" each run starts afresh from the seeds; with it the corpus
# found so far stays in WORK_DIR/corpus and the next run goes on from there.
set -euo pipefail

make_seeds=$1
fuzzer=$2
work=$3
keep=${4:-}
seconds=${DIB_FUZZ_SECONDS:-60}

[ "$keep" = keep ] || rm -rf "$work"
rm -rf "$work/seeds"
mkdir -p "$work/seeds" "$work/corpus"
"$make_seeds" "$work/seeds"
echo "seeds: $(ls "$work/seeds" | wc -l) files; corpus: $(ls "$work/corpus" | wc -l) files"

# The corpus goes first: libFuzzer adds what it finds to the first folder.
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$work/seeds" >"$work/fuzz.log" 2>&1 || {
    status=$?
    tail -n 60 "$work/fuzz.log"
    echo "the DIB fuzzer failed with status $status; artifacts in $work" >&2
    exit 1
}
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/fuzz.log")
echo "executions: $runs in ${took} s, $((runs / (took > 0 ? took : 1))) a second;" \
    "corpus: $(ls "$work/corpus" | wc -l) files; nothing found"
grep -E 'stat::peak_rss_mb' "$work/fuzz.log"
