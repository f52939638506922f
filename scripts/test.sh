#!/usr/bin/env bash
# Installs what is missing, builds Kinsight with its tests, gives the
# two fuzz targets a short run each when clang is there, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --test
# KINSIGHT_WERROR=ON (as CI sets it) makes every warning an error, in a
# Release build with the benchmarks: GCC warns of some things only there.
werror=${KINSIGHT_WERROR:-OFF} type=RelWithDebInfo
[ "$werror" = ON ] && type=Release
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=$type -DKINSIGHT_GUI=ON -DKINSIGHT_TESTS=ON \
    -DKINSIGHT_BENCH="$werror" -DKINSIGHT_WERROR="$werror"
cmake --build build -j"$(nproc)"

if command -v clang++ >/dev/null; then
    bash scripts/fuzz.sh "${KINSIGHT_FUZZ_SECONDS:-30}" 2>&1 | tail -n 30
fi

QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
