#!/usr/bin/env bash
# What a screen reader gets from the running program, through the real
# accessibility bus under a virtual X server: the question and the answers'
# captions, before and after one answer, and the spoken name change.
#
#   atspi_test.sh BUILT_PROGRAM
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    program=$(realpath "$1")
    here=$(cd "$(dirname "$0")" && pwd)
    exec dbus-run-session -- "$here/../../scripts/with-xvfb.sh" \
        "$here/atspi_test.sh" --inside "$program"
fi
program=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A quiz of our own, in a folder of its own.
mkdir "$work/Pictures"
{
    printf '%s\r\n' "Bus quiz" "notes"
    for n in $(seq 15); do printf 'Name %s\r\n' "$n"; done
    printf '%s\r\n' "Start:" "Question 1" '"Which colour, if any?"'
    for k in 1 2 3 4 5 6; do printf '%s\r\n' "A$k)" "Colour $k" "Points:" "C0$k=1" ""; done
    printf '%s\r\n' "NewQuestion:" "Question 2" "Which season?"
    for k in 1 2 3 4 5 6; do printf '%s\r\n' "A$k)" "Season $k" "Points:" "C0$k=1" ""; done
    printf '%s\r\n' "NewQuestion:" "ENDQUESTIONS"
} >"$work/way.txt"

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" "$work" >"$work/out.txt" 2>&1 &
pid=$!

/usr/bin/python3 "$here/atspi_read.py" >"$work/read.txt"
cat "$work/read.txt"

expected=$(
    echo "before question: Which colour, if any?"
    for k in 1 2 3 4 5 6; do echo "before option: Colour $k"; done
    echo "before option: Ничего из этого  "
    echo "after question: Which season?"
    for k in 1 2 3 4 5 6; do echo "after option: Season $k"; done
    echo "after option: Ничего из этого  "
)
failures=0
if [ "$(grep -v '^heard:' "$work/read.txt")" != "$expected" ]; then
    echo "FAIL what the bus reads differs from what the window shows"
    diff <(echo "$expected") <(grep -v '^heard:' "$work/read.txt") || true
    failures=1
fi
if ! grep -qx "heard: Which season?" "$work/read.txt"; then
    echo "FAIL no name change was raised for the new question"
    failures=1
fi
[ $failures -eq 0 ] && echo "ok   the question and the answers are read, and the new question is announced"
exit $failures
