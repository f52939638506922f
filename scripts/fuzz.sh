#!/usr/bin/env bash
# Fuzzes the quiz reader and the checker (fuzz_quiz), then plays quizzes with
# actions (fuzz_play), each for a while:
#   scripts/fuzz.sh [SECONDS]        (default 30 for each target)
# Builds the libFuzzer targets with clang in build-fuzz (or $KINSIGHT_FUZZ_BUILD),
# starts from the seed corpora in tests/fuzz and exits non-zero if an input
# crashes, hangs, breaks an invariant or trips a sanitizer; the input is kept
# in the build's fuzz-artifacts folder. Without clang it says so and does nothing.
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KINSIGHT_FUZZ_BUILD:-$root/build-fuzz}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz.sh: clang++ not found, so no fuzzing"
    exit 0
fi

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKINSIGHT_FUZZ=ON -DKINSIGHT_GUI=OFF -DKINSIGHT_TESTS=OFF -DKINSIGHT_WERROR="${KINSIGHT_WERROR:-OFF}" >/dev/null
cmake --build "$build" --target fuzz_quiz fuzz_play -j2

# Both targets write every input to a quiz file; in memory that is several
# times faster than on a disk.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi
# Each input frees what it allocated; a smaller quarantine than ASan's 256 MB
# keeps reusing warm pages (a quarter less time per input) and still catches
# a use of what was freed lately.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}

# New inputs go to corpora of the build's own; the kept ones stay as they are.
mkdir -p "$build/fuzz-corpus" "$build/play-corpus" "$build/fuzz-artifacts"
"$build/tests/fuzz/fuzz_quiz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -dict="$root/tests/fuzz/quiz.dict" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-artifacts/" "$build/fuzz-corpus" "$root/tests/fuzz/corpus"
"$build/tests/fuzz/fuzz_play" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -dict="$root/tests/fuzz/play.dict" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-artifacts/play-" "$build/play-corpus" \
    "$root/tests/fuzz/play-corpus"
