#!/usr/bin/env bash
# Fuzzes the quiz reader and the checker (fuzz_quiz), then plays quizzes with
# actions (fuzz_play), each for a number of inputs:
#   scripts/fuzz.sh [RUNS]        (default 10000 for each target)
# From the seed KINSIGHT_SEED (1 unless set), so that a run repeats the last;
# a new seed explores further. Builds the libFuzzer targets with clang in
# build-fuzz (or $KINSIGHT_FUZZ_BUILD), starts from the seed corpora in
# tests/fuzz, prints one line per target and exits non-zero if an input
# crashes, hangs, breaks an invariant or trips a sanitizer; the input is kept
# in the build's fuzz-artifacts folder, and the line says how to replay it.
# Without clang it says so and does nothing.
set -euo pipefail

runs=${1:-10000}
seed=${KINSIGHT_SEED:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KINSIGHT_FUZZ_BUILD:-$root/build-fuzz}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz.sh: clang++ not found, so no fuzzing"
    exit 0
fi
if ! [[ $runs =~ ^[0-9]+$ ]] || [ "$runs" -eq 0 ]; then
    echo "usage: fuzz.sh [RUNS]   (KINSIGHT_SEED=N picks the seed)" >&2
    exit 2
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
echo "fuzz.sh: building the two fuzz targets with clang in $build (a few minutes the first time)"
log=$build/fuzz-build.log
mkdir -p "$build"
if ! { cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINSIGHT_FUZZ=ON -DKINSIGHT_GUI=OFF -DKINSIGHT_TESTS=OFF \
    -DKINSIGHT_WERROR="${KINSIGHT_WERROR:-OFF}" "${launcher[@]}" &&
    cmake --build "$build" --target fuzz_quiz fuzz_play -j2; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "fuzz.sh: the fuzz build failed: the lines above say why (all in $log)" >&2
    exit 1
fi

# Both targets write every input to a quiz file; in memory that is several
# times faster than on a disk.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi
# Each input frees what it allocated; a smaller quarantine than ASan's 256 MB
# keeps reusing warm pages (a quarter less time per input) and still catches
# a use of what was freed lately.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}

# New inputs go to corpora of the build's own, emptied first so that a run
# with the same seed repeats; the kept ones stay as they are.
rm -rf "$build/fuzz-corpus" "$build/play-corpus"
mkdir -p "$build/fuzz-corpus" "$build/play-corpus" "$build/fuzz-artifacts"
status=0
# TARGET DICTIONARY ARTIFACT_PREFIX CORPUS...: one line for the target, or
# libFuzzer's own report of what failed and how to replay it.
fuzz() {
    local target=$1 dict=$2 prefix=$3
    shift 3
    local log=$build/$target.log executed
    echo "fuzz.sh: $target: $runs inputs from seed $seed..."
    if "$build/tests/fuzz/$target" -runs="$runs" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
        -max_len=8192 -dict="$dict" -print_final_stats=1 -artifact_prefix="$prefix" "$@" \
        >"$log" 2>&1; then
        executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz.sh: $target: ${executed:-?} executions, no failure"
        return 0
    fi
    grep -vE '^(INFO|#[0-9]|Dictionary|\s*$)' "$log" | tail -n 40 >&2
    echo "fuzz.sh: $target FAILED (all of it in $log); to replay the input:" \
        "$build/tests/fuzz/$target $(grep -o "${prefix}[^ ]*" "$log" | tail -n 1);" \
        "to rerun the search: KINSIGHT_SEED=$seed bash scripts/fuzz.sh $runs" >&2
    status=1
}
fuzz fuzz_quiz "$root/tests/fuzz/quiz.dict" "$build/fuzz-artifacts/" \
    "$build/fuzz-corpus" "$root/tests/fuzz/corpus"
fuzz fuzz_play "$root/tests/fuzz/play.dict" "$build/fuzz-artifacts/play-" \
    "$build/play-corpus" "$root/tests/fuzz/play-corpus"
exit $status
