#!/usr/bin/env bash
# One loader's fuzzer, from valid files of every form (its seeds, made by its
# seed generator) and the inputs once found to fail it (tests/fuzz/findings/
# NAME, kept once the fault is mended). Any crash, leak, sanitizer report or
# timeout fails the run.
# Usage: run_fuzz.sh NAME MAKE_SEEDS FUZZER WORK_DIR [keep]
# NAME names the loader (dib, jpeg); tests/fuzz/NAME.dict, if there is one,
# is the fuzzer's dictionary.
# Without "keep" (the test) the run repeats itself: each seed and finding
# is replayed once, then the fuzzer tries FUZZ_RUNS inputs (5000 unless set)
# from the fixed random seed FUZZ_SEED (1 unless set), starting afresh, so
# that a failure is reproduced by the same command.
# With "keep" (make fuzz) it searches on: from a new random seed for
# FUZZ_SECONDS (30 unless set), the corpus found so far kept in WORK_DIR/corpus
# for the next run to go on from.
set -euo pipefail

name=$1
make_seeds=$2
fuzzer=$3
work=$4
keep=${5:-}
source_dir=$(cd "$(dirname "$0")" && pwd)
dictionary=$source_dir/$name.dict
findings=$source_dir/findings/$name

[ "$keep" = keep ] || rm -rf "$work"
rm -rf "$work/seeds"
mkdir -p "$work/seeds" "$work/corpus"
"$make_seeds" "$work/seeds"
saved=()
[ -d "$findings" ] && mapfile -t saved < <(find "$findings" -type f | sort)
echo "$name seeds: $(ls "$work/seeds" | wc -l) files; findings: ${#saved[@]} files;" \
    "corpus: $(ls "$work/corpus" | wc -l) files"
# The loaders' own messages about damaged files go nowhere (libFuzzer keeps
# its and the sanitizers' reports).
options=(-timeout=10 -print_final_stats=1 -close_fd_mask=2 -artifact_prefix="$work/")
[ -f "$dictionary" ] && options+=(-dict="$dictionary")

# run LOG ARGUMENT...: the fuzzer, its output in LOG, shown when it fails.
run() {
    local log=$1
    shift
    ${fixed[@]+"${fixed[@]}"} "$fuzzer" "${options[@]}" "$@" >"$log" 2>&1 && return
    local status=$?
    tail -n 60 "$log"
    echo "the $name fuzzer failed with status $status; artifacts in $work" >&2
    if [ "$keep" != keep ]; then
        echo "reproduce: FUZZ_SEED=$seed FUZZ_RUNS=$runs bash $source_dir/run_fuzz.sh" \
            "$name $make_seeds $fuzzer $work" >&2
    fi
    # What failed: the input libFuzzer wrote out, or the replayed file it ran last.
    local input
    input=$(ls -t "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null |
        head -n 1 || true)
    [ -n "$input" ] || input=$(sed -n 's/^Running: //p' "$log" | tail -n 1)
    [ -z "$input" ] || echo "the input alone: $fuzzer $input" >&2
    exit 1
}

fixed=()
if [ "$keep" = keep ]; then
    seed=0 # libFuzzer's own choice
    runs=-1
    options+=(-max_total_time="${FUZZ_SECONDS:-30}")
else
    seed=${FUZZ_SEED:-1}
    runs=${FUZZ_RUNS:-5000}
    # Nothing that hangs on the clock or on where memory lies: the corpus
    # folder is not read again every second, as it is for fuzzers working
    # side by side, and the addresses are not randomised, since the loaders'
    # pointer comparisons steer the mutations.
    options+=(-runs="$runs" -reload=0)
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        fixed=(setarch "$(uname -m)" -R)
    else
        echo "$name: addresses stay randomised here; the run may not repeat exactly" >&2
    fi
    # Each seed and finding on its own first: one that fails is named.
    mapfile -t replayed < <(find "$work/seeds" -type f | sort)
    run "$work/replay.log" -runs=1 "${replayed[@]}" "${saved[@]}"
    echo "$name replayed: $((${#replayed[@]} + ${#saved[@]})) files"
fi

# The corpus goes first: libFuzzer adds what it finds to the first folder.
run "$work/fuzz.log" -seed="$seed" "$work/corpus" "$work/seeds" ${saved[@]+"$findings"}
executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/fuzz.log")
echo "$name executions: $executed in ${took} s, $((executed / (took > 0 ? took : 1))) a second" \
    "from seed $(sed -n 's/^INFO: Seed: //p' "$work/fuzz.log");" \
    "corpus: $(ls "$work/corpus" | wc -l) files; nothing found"
grep -E 'stat::peak_rss_mb' "$work/fuzz.log"
