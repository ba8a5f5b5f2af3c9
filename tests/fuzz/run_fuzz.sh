#!/usr/bin/env bash
# Seeds one loader's fuzzer with valid files of every form, then lets it run
# for a bounded time. Any crash, leak, sanitizer report or timeout fails the
# run.
# Usage: run_fuzz.sh NAME MAKE_SEEDS FUZZER WORK_DIR [keep]
# NAME names the loader (dib, jpeg); tests/fuzz/NAME.dict, if there is one,
# is the fuzzer's dictionary. Without "keep" each run starts afresh from the
# seeds; with it the corpus found so far stays in WORK_DIR/corpus and the
# next run goes on from there. FUZZ_SECONDS (30 unless set) bounds the run.
set -euo pipefail

name=$1
make_seeds=$2
fuzzer=$3
work=$4
keep=${5:-}
seconds=${FUZZ_SECONDS:-30}
dictionary=$(dirname "$0")/$name.dict

[ "$keep" = keep ] || rm -rf "$work"
rm -rf "$work/seeds"
mkdir -p "$work/seeds" "$work/corpus"
"$make_seeds" "$work/seeds"
echo "$name seeds: $(ls "$work/seeds" | wc -l) files; corpus: $(ls "$work/corpus" | wc -l) files"
options=()
[ -f "$dictionary" ] && options+=(-dict="$dictionary")

# The corpus goes first: libFuzzer adds what it finds to the first folder.
# The loaders' own messages about damaged files go nowhere (libFuzzer keeps
# its and the sanitizers' reports).
"$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -close_fd_mask=2 \
    "${options[@]}" -artifact_prefix="$work/" "$work/corpus" "$work/seeds" \
    >"$work/fuzz.log" 2>&1 || {
    status=$?
    tail -n 60 "$work/fuzz.log"
    echo "the $name fuzzer failed with status $status; artifacts in $work" >&2
    exit 1
}
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/fuzz.log")
echo "$name executions: $runs in ${took} s, $((runs / (took > 0 ? took : 1))) a second;" \
    "corpus: $(ls "$work/corpus" | wc -l) files; nothing found"
grep -E 'stat::peak_rss_mb' "$work/fuzz.log"
