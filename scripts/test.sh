#!/usr/bin/env bash
# Installs what is missing, builds Kinsight with its tests, gives the two
# fuzz targets a fixed number of inputs each from a fixed seed when clang is
# there (KINSIGHT_FUZZ_RUNS, KINSIGHT_SEED), then runs every test. Each step
# says what it starts; the build's own lines go to build/test-build.log.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --test

# With the compiler cache, a build done before is mostly answered from it,
# and so is the packaging test's build of its own beside this one (at the
# same depth, the same commands).
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
mkdir -p build
log=build/test-build.log
echo "test.sh: configuring and building Kinsight with its tests in build/" \
    "(a few minutes the first time; the lines go to $log)"
# KINSIGHT_WERROR=ON (as CI sets it) makes every warning an error, in a
# Release build with the benchmarks: GCC warns of some things only there.
werror=${KINSIGHT_WERROR:-OFF} type=RelWithDebInfo
[ "$werror" = ON ] && type=Release
{ cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=$type -DKINSIGHT_GUI=ON \
    -DKINSIGHT_TESTS=ON -DKINSIGHT_BENCH="$werror" -DKINSIGHT_WERROR="$werror" "${launcher[@]}" &&
    cmake --build build -j"$(nproc)"; } >"$log" 2>&1 &
build=$!
# shellcheck source=build_progress.sh
source scripts/build_progress.sh
wait_for_build "$build" "$log" test.sh "the build"

if command -v clang++ >/dev/null; then
    bash scripts/fuzz.sh "${KINSIGHT_FUZZ_RUNS:-10000}"
fi

tests=$(ctest --test-dir build -N | sed -n 's/^Total Tests: //p')
echo "test.sh: running the $tests tests, $(nproc) at a time (about two minutes; ctest -LE slow" \
    "runs the quick ones alone)"
# The tests expect the programs' English; those of another language set
# their own locale.
unset LANGUAGE
LC_ALL=C QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
