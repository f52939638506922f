#!/usr/bin/env bash
# kinsight and kinsight-check agree on the checker's table of quizzes
# (test_checker writes them out): a quiz the checker passes plays by keys
# alone to a result, its name shown; of the failing ones, one for each
# failure name, with and without a note, makes the program fail at start-up
# with the checker's error and note word for word, each with its file and
# line (it runs the checker's very dry run: only the reporting of each
# failure could differ).
#
#   agreement_test.sh KINSIGHT KINSIGHT_CHECK TEST_CHECKER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inside-xvfb ]; then
    exec "$here/../../scripts/with-xvfb.sh" "$0" --inside-xvfb "$@"
fi
program=$2 check=$3 cases_from=$4
unset QT_QPA_PLATFORM
# shellcheck source=../../scripts/x_session.sh
source "$here/../../scripts/x_session.sh"
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

mkdir "$work/cases"
KINSIGHT_WRITE_CASES="$work/cases" "$cases_from" --gtest_filter='Quizzes/CheckerCase.*' >/dev/null

# result_shown WINDOW: the result box Text1 (161x19+288+208) holds text.
result_shown() {
    local colours
    colours=$(import -window "$1" png:- 2>/dev/null |
        convert - -crop 150x11+293+212 +repage -format %k info: 2>/dev/null || echo 0)
    [ "${colours:-0}" -gt 1 ]
}

# state PID MAIN: the program's windows and the main window's pixels.
state() { xdotool search --all --onlyvisible --pid "$1" --name . 2>/dev/null; window_sum "$2"; }

# changed PID MAIN BEFORE: prints the state once it is not BEFORE (up to 5 s).
changed() {
    local now
    for _ in $(seq 50); do
        now=$(state "$1" "$2") && [ "$now" != "$3" ] && echo "$now" && return 0
        sleep 0.1
    done
    return 1
}

# play PID MAIN: Space on the focused answer of each question, and on
# whatever box or tie-break window comes up, each once the last has shown,
# until a result is shown: a name, or a draw of five or more, reported with
# no tie-break window after it.
play() {
    local pid=$1 main=$2 top drew=0 now
    now=$(state "$pid" "$main")
    for _ in $(seq 60); do
        top=$(xdotool search --all --onlyvisible --pid "$pid" --name '.' 2>/dev/null |
            grep -vx "$main" | tail -n 1 || true)
        if [ -n "$top" ]; then
            [ "$(xdotool getwindowname "$top")" = Draw ] && drew=1
            xdotool windowfocus --sync "$top" key space 2>/dev/null || true
        elif result_shown "$main"; then
            return 0
        elif [ $drew -eq 1 ]; then
            # Space now could press the restart button.
            wait_for_window "$pid" '^Kinsight\?' 1 >/dev/null || return 0
            now=$(state "$pid" "$main")
            continue
        else
            xdotool windowfocus --sync "$main" key space 2>/dev/null || true
        fi
        now=$(changed "$pid" "$main" "$now") || return 1
    done
    return 1
}

declare -A started=()
for dir in "$work"/cases/*/; do
    name=$(basename "$dir")
    status=0
    (cd "$dir" && "$check" way.txt) >"$work/check" 2>&1 || status=$?
    expected=$(grep -E '^[^:]*(:[0-9]+)?: (error|note): ' "$work/check" |
        sed -E 's/^([^:]*(:[0-9]+)?): (error|note): /\1: /' || true)
    failure=$(grep -m 1 ': error: ' "$work/check" | sed 's/.*: error: //; s/ (.*//' || true)
    grep -q ': note: ' "$work/check" && failure+=" with a note"
    [ "$status" -eq 1 ] && [ -n "${started[${failure:-none}]+set}" ] && continue
    started[${failure:-none}]=1
    (cd "$dir" && exec "$program" way.txt) 2>"$work/err" &
    pid=$!
    if ! window=$(wait_for_window "$pid" '.'); then
        fail "$name: no window; the program said: $(cat "$work/err")"
    elif [ "$(xdotool getwindowname "$window")" = Kinsight ]; then
        got=$(grep -v '^QStandardPaths' "$work/err" || true)
        if [ "$status" -ne 1 ]; then
            fail "$name: the program fails at start-up ($got), the checker exits with $status"
        elif [ "$got" != "$expected" ]; then
            fail "$name: the program names $got, the checker $expected"
        else
            echo "ok   $name: both say $got"
        fi
    elif [ "$status" -eq 1 ]; then
        fail "$name: the checker names $expected, the program starts"
    elif ! play "$pid" "$window"; then
        fail "$name: the checker passes it, but no result came up"
    else
        echo "ok   $name: checker status $status, played to a result"
    fi
    end_program
done
exit $((failures > 0))
