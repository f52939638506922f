#!/usr/bin/env bash
# What a screen reader gets from the running program, through the real
# accessibility bus under a virtual X server: the question and the answers'
# captions, before and after one answer, read again through answer 1 as held
# from before, and the spoken name change. Then what the real screen reader,
# Orca, speaks under a window manager (openbox, or KINSIGHT_WM) while the
# quiz is played by keys and by mouse: each question, the winner's name whole
# and once, the tied names, the about window's sentence.
#
# With --weston, instead: under the Wayland compositor weston (headless,
# with Xwayland) the quiz plays to each result, through the bus, on the
# platform the program prefers (X11) and on Wayland, printing nothing on
# standard error.
#
#   atspi_test.sh BUILT_PROGRAM [--weston]
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    program=$(realpath "$1")
    here=$(cd "$(dirname "$0")" && pwd)
    if [ "${2:-}" = --weston ]; then
        exec dbus-run-session -- "$here/atspi_test.sh" --inside "$program" --weston
    fi
    exec dbus-run-session -- "$here/../../scripts/with-xvfb.sh" \
        "$here/atspi_test.sh" --inside "$program"
fi
program=$2
# The program chooses its platform itself, as on a desktop.
unset QT_QPA_PLATFORM
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/x_session.sh
source "$here/../../scripts/x_session.sh"
work=$(mktemp -d)
pid=""
orca=""
other=""
wm_pid=""
cleanup() {
    local p
    # Orca runs under script(1), its terminal.
    [ -n "$orca" ] && kill $(pgrep -P "$orca") 2>/dev/null
    for p in "$pid" "$orca" "$other" "$wm_pid" "${weston:-}"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null || true
    done
    if [ "${failures:-0}" -gt 0 ] && [ -s "$work/orca.log" ]; then
        cp "$work/orca.log" "${TMPDIR:-/tmp}/kinsight-orca-failed-$$.log" &&
            echo "Orca's log: ${TMPDIR:-/tmp}/kinsight-orca-failed-$$.log"
    fi
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
    # After answer 1: one winner, a two-way draw or a three-way draw.
    for k in 1 2 3 4 5 6; do
        printf '%s\r\n' "A$k)" "Season $k" "Points:" "C0$k=1" "$([ $k = 3 ] && echo C02=1)" ""
    done
    # No points: the questions asked while the keyboard stays on answer 1.
    printf '%s\r\n' "NewQuestion:" "Question 3" "Which day?"
    for k in 1 2 3 4 5 6; do printf '%s\r\n' "A$k)" "Day $k" "Points:" ""; done
    printf '%s\r\n' "NewQuestion:" "ENDQUESTIONS"
} >"$work/way.txt"

for n in $(seq 15); do convert -size 20x20 xc:gray "$work/Pictures/Name $n.jpg"; done
# A runtime folder of its own, where the accessibility bus and weston put
# their sockets: another run's bus is never this one's.
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The accessibility bus, started here for its socket to lie in this runtime
# folder (one the session bus started would put it in the user's home,
# where another run's replaces it), answers before any client asks for it
# (up to 60 s on a busy machine). Asking before it has its name would start
# another.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
for _ in $(seq 600); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true &&
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
done

if [ "${3:-}" = --weston ]; then
    need weston Xwayland
    unset DISPLAY
    export WAYLAND_DISPLAY=kinsight-test
    weston --backend=headless-backend.so --xwayland --socket="$WAYLAND_DISPLAY" -i 0 \
        >"$work/weston.log" 2>&1 &
    weston=$!
    # Its socket, then its X server (up to 60 s on a busy machine).
    for _ in $(seq 600); do
        DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
        [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && [ -n "$DISPLAY" ] && break
        sleep 0.1
    done
    export DISPLAY
    failures=0
    for platform in "" wayland; do
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=$platform "$program" "$work" \
            2>"$work/err" &
        pid=$!
        # Under load the client may find the bus refusing: again.
        for _ in 1 2 3; do
            /usr/bin/python3 "$here/atspi_read.py" play "Colour 1,Season 1,Day 1" \
                "Colour 1,Season 2,Day 1" "Colour 1,Season 3,Day 1" >"$work/read.txt" || true
            [ -s "$work/read.txt" ] && break
        done
        label=${platform:-preferred}
        on=Wayland
        xwininfo -root -tree | grep -q '"Bus quiz"' && on=X11
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        if [ "$(sed -n 's/^result: Name [123]$/ok/p' "$work/read.txt" | wc -l)" != 3 ]; then
            fail "$label ($on): not every result shows: $(cat "$work/read.txt")"
        elif [ -s "$work/err" ]; then
            fail "$label ($on): printed on standard error: $(cat "$work/err")"
        else
            echo "ok   $label ($on): one winner, both tie-break windows, nothing on stderr"
        fi
        [ "$label/$on" = preferred/X11 ] || [ "$label/$on" = wayland/Wayland ] ||
            fail "$label: ran on $on"
    done
    exit $((failures > 0))
fi
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
    echo "same answer: Day 1"
)
failures=0
if [ "$(grep -v '^heard:' "$work/read.txt")" != "$expected" ]; then
    echo "FAIL what the bus reads differs from what the window shows"
    diff <(echo "$expected") <(grep -v '^heard:' "$work/read.txt") || true
    failures=1
fi
if [ "$(grep '^heard:' "$work/read.txt")" != "$(printf 'heard: %s\n' "Which season?" "Which day?")" ]; then
    echo "FAIL no name change was raised for the new question"
    failures=1
fi
[ $failures -eq 0 ] && echo "ok   the question and the answers are read, also through answer 1 held from before, and the new question is announced"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

need orca script flock
# Orca runs once per user: other runs of this test wait their turn.
exec 9>"${TMPDIR:-/tmp}/kinsight-orca-$(id -u).lock"
flock -w 600 9
# Each step below reports its own failure and the play goes on.
set +e
start_desktop "$work" || exit 1
# What Orca has spoken since the last key or click, one line each.
since=0
speech() { grep -as 'SPEECH OUTPUT: ' "$work/orca.log" | sed 's/.* - SPEECH OUTPUT: //'; }
spoken() { speech | tail -n +$((since + 1)); }
press() {
    since=$(speech | wc -l)
    xdotool key "$@"
}
# K: a click on answer K's caption, as a mouse user answers.
# Each click lands elsewhere on the answer's row than the one before: two
# clicks on one spot in quick succession are a double-click, one answer.
clicks=0
click() {
    since=$(speech | wc -l)
    local x y
    read -r x y _ < <(client_geometry "$window")
    clicks=$((clicks + 1))
    xdotool mousemove $((x + 40 + 80 * (clicks % 2))) $((y + 60 + 32 * ($1 - 1))) click 1
}
# LABEL TEXT [SECONDS]: waits up to 20 s (or SECONDS) for Orca to speak
# TEXT ('…' for a whole line).
hear() {
    local at
    for _ in $(seq $((${3:-20} * 10))); do
        at=$(spoken | grep -nF -- "$2" | head -n 1 | cut -d: -f1)
        if [ -n "$at" ]; then
            counted_once $((since + at - 1))
            return 0
        fi
        sleep 0.1
    done
    fail "$1: Orca did not say $2 but: $(spoken | tr '\n' ' ')"
    return 1
}
# LABEL TEXT [WORD]: as hear, and TEXT (or its first WORD) is said once.
# Counted once Orca has spoken the next step, when it has handled every
# event before it.
once=""
hear_once() {
    hear "$1" "$2" || return 1
    once_label=$1 once=${3:-$2} once_from=$since
}
counted_once() {
    [ -n "$once" ] || return 0
    local times
    times=$(speech | sed -n "$((once_from + 1)),$1p" | grep -cF -- "$once")
    [ "$times" = 1 ] || fail "$once_label: Orca said $once $times times: $(speech |
        sed -n "$((once_from + 1)),$1p" | tr '\n' ' ')"
    once=""
}

first="'Which colour, if any?'"
second="Which season?"
third="Which day?"
# Orca is up once it speaks (up to 90 s on a busy machine). One that found
# the bus refusing, or another Orca, ends at once: it starts again.
for _ in 1 2 3; do
    start_orca "$work"
    for _ in $(seq 900); do
        spoken | grep -qF "'Screen reader on.'" && break 2
        kill -0 "$orca" 2>/dev/null || break
        sleep 0.1
    done
done
hear "Orca" "'Screen reader on.'" 1 || exit 1
"$program" "$work" >"$work/out.txt" 2>&1 &
pid=$!
window=$(wait_for_window "$pid" "^Bus quiz$") || fail "the window did not show"
hear "window opened" "$first" 60
press F1
hear "F1" "is by the Kinsight developers"
press Escape
hear "Escape on the about window" "$first"

# LABEL [WINNER]: the quiz over, Orca reads the result with the winner's
# name, whole and once; for a draw, the winner is the one greeted.
hear_result() {
    local winner=${2:-}
    if [ -z "$winner" ]; then
        hear "$1" "'You are..." || return 1
        winner=$(spoken | sed -n "s/^'You are\.\.\.\(.*\)\.'.*/\1/p" | head -n 1)
        press Return
    fi
    hear "$1" "'Result text.'" && hear_once "$1" "'$winner.'" "${winner%% *}" &&
        echo "ok   $1: Orca says the result, $winner"
}
# LABEL: the restart button, from the result, by keys; the first question again.
restart_by_keys() {
    press shift+Tab
    hear "$1" "'Сначала push button.'" || return 1
    press space
    hear "$1" "$first" && echo "ok   $1: Orca says the first question again"
}

# By keys, the keyboard staying on answer 1 throughout.
press space
hear_once "an answer" "$second"
press space
hear_once "another answer" "$third" && echo "ok   Orca says the questions after key answers"
press space
hear_result "one winner" "Name 1"
restart_by_keys "restart"

# By mouse.
click 1
hear_once "a click" "$second"
click 1
hear_once "another click" "$third" && echo "ok   Orca says the questions after clicks"
click 1
hear_result "one winner by mouse" "Name 1"
restart_by_keys "restart after clicks"

press space
hear_once "an answer after the restart" "$second"
press Down
hear "Down" "'Season 2.'"
press space
hear "an answer after Down" "$third"
press space
hear "two-way draw" "'Two way draw between Name 1 and Name 2.'"
press Return
hear "Dual" "'Name 1, Name 2.'" && echo "ok   Orca says the two tied names"
press space
hear_result "two-way draw"
restart_by_keys "restart after a draw"

press space
hear "an answer" "$second"
press Down Down
hear "Down, Down" "'Season 3.'"
press space
hear "an answer after Down, Down" "$third"
press space
hear "three-way draw" "'Three way draw between"
press Return
hear "Tri" "'Name 1, Name 2, Name 3.'" && echo "ok   Orca says the three tied names"
press space
hear_result "three-way draw"
# The last name's count waits for one more step.
press shift+Tab
hear "the end" "'Сначала push button.'"

# A client that asks the text controls (the result's among them, with a
# name) for pieces at any offset is answered at once, and the quiz plays on.
hostile=$(/usr/bin/python3 "$here/atspi_read.py" hostile 2>&1)
if [[ $hostile == answered:* ]]; then
    echo "ok   a client's text requests at any offset: $hostile"
else
    fail "a client's text requests at odd offsets: $hostile"
fi
press space
hear "after the odd requests" "$first" && echo "ok   the quiz plays on after them"
exit $((failures > 0))
