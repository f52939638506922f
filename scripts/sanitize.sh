#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole test suite under them.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --test
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKINSIGHT_SANITIZE=ON -DKINSIGHT_GUI=ON -DKINSIGHT_TESTS=ON
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
