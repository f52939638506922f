#!/usr/bin/env bash
# Fuzzes the quiz-file reader and the authors' checker for a while:
#   scripts/fuzz.sh [SECONDS]        (default 60)
# Builds the libFuzzer target with clang in build-fuzz (or $KINSIGHT_FUZZ_BUILD),
# starts from the seed corpus in tests/fuzz/corpus and exits non-zero if an
# input crashes, hangs or trips a sanitizer; the input is kept in the build's
# fuzz-artifacts folder. Without clang it says so and does nothing.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KINSIGHT_FUZZ_BUILD:-$root/build-fuzz}

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz.sh: clang++ not found, so no fuzzing"
    exit 0
fi

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKINSIGHT_FUZZ=ON -DKINSIGHT_GUI=OFF -DKINSIGHT_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_quiz -j2

# New inputs go to a corpus of the build's own; the seeds stay as they are.
mkdir -p "$build/fuzz-corpus" "$build/fuzz-artifacts"
exec "$build/tests/fuzz/fuzz_quiz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -dict="$root/tests/fuzz/quiz.dict" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-artifacts/" "$build/fuzz-corpus" "$root/tests/fuzz/corpus"
