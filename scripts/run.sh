#!/usr/bin/env bash
# Installs what is missing, builds Kinsight and starts it on the bundled quiz.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINSIGHT_GUI=ON
cmake --build build -j"$(nproc)" --target kinsight
exec build/bin/kinsight
