#!/usr/bin/env bash
# Installs the Debian 12 packages Kinsight needs, skipping those already there.
#   setup.sh          what building and running need
#   setup.sh --test   also what the tests, the fuzzer and the screenshots need
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev fonts-dejavu-core)
if [ "${1:-}" = "--test" ]; then
    packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
        xvfb xauth xdotool x11-utils libx11-dev imagemagick time)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
