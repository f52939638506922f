#!/usr/bin/env bash
# The built program end to end under a virtual X server: started through a
# symbolic link it still finds the quiz beside its real file and opens at its
# designed place; a broken or missing quiz is reported before anything else,
# and the program then ends with status 1; without a display it says so.
#
#   program_test.sh BUILT_PROGRAM
set -uo pipefail

if [ "${1:-}" != "--inside-xvfb" ]; then
    program=$(realpath "$1")
    # No display at all: a clear message and status 1, not Qt's abort.
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
    status=$?
    if [ $status -ne 1 ] || [ "$output" != "kinsight: no display found; run it in a desktop session or under xvfb-run" ]; then
        echo "FAIL no display: status $status, output: $output"
        exit 1
    fi
    echo "ok   no display"
    # -noreset: the server would otherwise reset whenever its last client
    # leaves, refusing the next program that connects meanwhile.
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" --inside-xvfb "$program"
fi
program=$2
unset QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# Waits for a visible window of the process whose name matches; prints its id.
wait_for_window() {
    local pid=$1 name=$2 window
    for _ in $(seq 150); do
        window=$(xdotool search --all --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -n 1)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# xvfb-run may hand over before the server takes connections.
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done

# 1. Through a link, from another folder.
mkdir -p "$work/bin" "$work/elsewhere"
ln -s "$program" "$work/bin/kinsight"
title=$(head -n 1 "$(dirname "$program")/way.txt" | tr -d '\r')
(cd "$work/elsewhere" && exec "$work/bin/kinsight") 2>"$work/link.err" &
pid=$!
title_pattern=$(sed 's/[][\.*^$?+(){}|/]/\\&/g' <<<"$title")
if window=$(wait_for_window "$pid" "^${title_pattern}\$"); then
    sleep 0.5
    info=$(xwininfo -id "$window")
    geometry=$(awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}' <<<"$info")
    if [ "$geometry" = "89 108 458 261" ]; then
        echo "ok   started through a link: \"$title\" at 89,108 sized 458x261"
    else
        fail "main window geometry: $geometry"
    fi
    if xdotool search --all --onlyvisible --pid "$pid" --name '^Kinsight$' >/dev/null 2>&1; then
        fail "a failure box opened when started through a link"
    fi
else
    fail "no main window titled \"$title\" through a link: $(cat "$work/link.err")"
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

# 2. A broken quiz and a missing one: a critical box, the same line on the
# error stream, status 1 once the box is closed.
report_case() {
    local label=$1 folder=$2 expected=$3 # a pattern for the error line
    cp "$program" "$folder/kinsight"
    "$folder/kinsight" 2>"$folder/err" &
    local pid=$! window
    if ! window=$(wait_for_window "$pid" '^Kinsight$'); then
        fail "$label: no failure box; the program said: $(cat "$folder/err")"
        kill "$pid" 2>/dev/null
        return
    fi
    if xdotool search --all --onlyvisible --pid "$pid" --name "Qel" >/dev/null 2>&1; then
        fail "$label: the main window opened before the report"
    fi
    xdotool windowfocus --sync "$window" key Return
    wait "$pid"
    local status=$?
    local line
    line=$(cat "$folder/err" | grep -v '^QStandardPaths' || true)
    if [ $status -ne 1 ]; then
        fail "$label: status $status"
    elif ! [[ "$line" =~ $expected ]]; then
        fail "$label: error line \"$line\", expected \"$expected\""
    else
        echo "ok   $label: $line"
    fi
}

mkdir -p "$work/broken"
# The file ends inside the second question's fourth answer: only a check of
# the whole quiz finds that before the user has answered anything.
quiz="$(dirname "$program")/way.txt"
second=$(grep -n '^NewQuestion:' "$quiz" | head -n 1 | cut -d: -f1)
cut_at=$(awk -v from="$second" 'NR > from && /^A4\)/ { print NR; exit }' "$quiz")
head -n "$cut_at" "$quiz" >"$work/broken/way.txt"
report_case "quiz broken in its second question" "$work/broken" \
    '^way\.txt:[0-9]+: Input past end of file \(reading the text of answer 4\)$'

mkdir -p "$work/empty"
report_case "missing quiz" "$work/empty" "^$work/empty/way\.txt: File not found\$"

exit $((failures > 0))
