#!/usr/bin/env bash
# Takes the README's screenshots under a virtual X server: the main window on
# the bundled quiz (docs/main-window.png) and the window after a result
# (docs/result.png). Builds nothing.
#
#   scripts/screenshots.sh BUILT_PROGRAM [OUTPUT_DIR]
#
# Needs Xvfb, xdotool, xwininfo and ImageMagick's import.
set -euo pipefail

if [ "${1:-}" != "--inside-xvfb" ]; then
    if [ $# -lt 1 ] || [ ! -x "$1" ]; then
        echo "usage: $0 BUILT_PROGRAM [OUTPUT_DIR]" >&2
        exit 2
    fi
    program=$(realpath "$1")
    out=$(realpath -m "${2:-$(dirname "$0")/../docs}")
    mkdir -p "$out"
    exec "$(dirname "$0")/with-xvfb.sh" "$0" --inside-xvfb "$program" "$out"
fi
program=$2
out=$3

# The answer to give to every question (1..6); the bundled quiz then ends
# with a single winner, so no draw message is in the way.
answer=${KINSIGHT_SCREENSHOT_ANSWER:-1}

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# shellcheck source=scripts/x_session.sh
source "$(dirname "$0")/x_session.sh"
window=$(wait_for_window "$pid" '') || {
    echo "the program did not open a window" >&2
    exit 1
}
sleep 1

geometry=$(xwininfo -id "$window")
left=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
width=$(awk '/Width:/ {print $NF}' <<<"$geometry")
height=$(awk '/Height:/ {print $NF}' <<<"$geometry")
echo "client area at ($left, $top), $width x $height"

import -window "$window" "$out/main-window.png"

# Ans1 is at (8, 48) in the client area, each answer 32 pixels below the last.
x=$((left + 20))
y=$((top + 48 + 12 + 32 * (answer - 1)))
questions=$(grep -c '^NewQuestion:' "$(dirname "$program")/way.txt")
for _ in $(seq "$questions"); do
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
done
sleep 1
import -window "$window" "$out/result.png"
echo "wrote $out/main-window.png and $out/result.png"
