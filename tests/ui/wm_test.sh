#!/usr/bin/env bash
# The built program under a real window manager, openbox (or KINSIGHT_WM,
# such as metacity), which frames every window and offers minimise whatever
# the window asks for. Keys are real X key events. On a quiz whose one
# question ends in a two-way draw (answer 1) or a three-way draw (answer 2):
# the main window's client area stays where it was designed, every window asks
# for a close box only and a fixed size, and a tie-break window minimised while
# the user looks at another program comes back still moving, announces one of
# the tied on Stop, and leaves the keyboard with the main window; a
# double-click on an answer answers one question.
#
#   wm_test.sh BUILT_PROGRAM
#
# With KINSIGHT_WM_SHOTS=FOLDER it leaves there screen shots of each
# tie-break window as shown and as restored.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != "--inside-xvfb" ]; then
    exec "$here/../../scripts/with-xvfb.sh" "$0" --inside-xvfb "$(realpath "$1")"
fi
program=$2
unset QT_QPA_PLATFORM
# shellcheck source=../../scripts/x_session.sh
source "$here/../../scripts/x_session.sh"

work=$(mktemp -d)
pid=
other=
wm_pid=
cleanup() {
    local status=$? p
    if [ $status -ne 0 ]; then
        import -window root "${TMPDIR:-/tmp}/kinsight-wm-failure.png" 2>/dev/null &&
            echo "     screen at the end: ${TMPDIR:-/tmp}/kinsight-wm-failure.png"
    fi
    for p in "$pid" "$other" "$wm_pid"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A window manager, and another program to look at while a tie-break window
# is minimised.
start_desktop "$work" || exit 1

# The tied characters' pictures are solid colours, so the result picture
# tells which one was announced.
names=(Rose Lime Sun Sky Plum Six Seven Eight Nine Ten Eleven Twelve Thirteen Fourteen Fifteen)
declare -A colour_of=([Rose]="255 0 0" [Lime]="0 255 0" [Sun]="255 255 0" [Sky]="0 255 255"
    [Plum]="255 0 255")
title="Window manager quiz"
mkdir -p "$work/quiz/Pictures"
write_quiz "$work/quiz/way.txt" "$title" 1 "C01=5 C02=5" "C03=4 C04=4 C05=4" "" "" "" ""
for name in "${!colour_of[@]}"; do
    read -r r g b <<<"${colour_of[$name]}"
    convert -size 40x48 "xc:rgb($r,$g,$b)" "$work/quiz/Pictures/$name.jpg"
done

"$program" "$work/quiz" >"$work/err" 2>&1 &
pid=$!
main=$(wait_for_window "$pid" "^$title\$") || {
    echo "FAIL no main window: $(cat "$work/err")"
    exit 1
}

# LABEL: the main window's client area at its designed place and size, under
# the title bar of the window manager's frame.
check_main_geometry() {
    local geometry extents
    # Shown again after a restart, it may take a moment to be framed.
    for _ in $(seq 30); do
        geometry=$(client_geometry "$main")
        [ "$geometry" = "89 108 458 261" ] && break
        sleep 0.1
    done
    extents=$(xprop -id "$main" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')
    local top
    top=$(cut -d, -f3 <<<"$extents" | tr -d ' ')
    if [ "$geometry" != "89 108 458 261" ]; then
        fail "$1: main window's client area at $geometry, not 89 108 458 261"
    elif [ "${top:-0}" -lt 10 ]; then
        fail "$1: no title bar above the main window (frame $extents)"
    else
        echo "ok   $1: client area at 89,108 sized 458x261 under a title bar of $top pixels"
    fi
}

# KIND WINDOW: the window asks for a close box only (_MOTIF_WM_HINTS: the
# close function, no minimise or maximise function or button) and a fixed
# size (its minimum and maximum size both its size). Once for each KIND.
declare -A hints_checked=()
check_fixed_hints() {
    local label=$1 window=$2 motif flags functions decorations size min max
    [ -z "${hints_checked[$label]+set}" ] || return 0
    hints_checked[$label]=1
    motif=$(xprop -id "$window" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/.* = //p')
    read -r flags functions decorations _ <<<"${motif//,/ } 0 0 0"
    size=$(client_geometry "$window" | cut -d' ' -f3-)
    min=$(xprop -id "$window" WM_NORMAL_HINTS | sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\)/\1 \2/p')
    max=$(xprop -id "$window" WM_NORMAL_HINTS | sed -n 's/.*maximum size: \([0-9]*\) by \([0-9]*\)/\1 \2/p')
    local wrong=()
    # In both fields the lowest bit would mean "all but those listed".
    if ! ((flags & 1)) || ((functions & 1)); then
        wrong+=("functions not limited")
    else
        ((functions & 8)) && wrong+=("minimise function")
        ((functions & 16)) && wrong+=("maximise function")
        ((functions & 32)) || wrong+=("no close function")
    fi
    if ! ((flags & 2)) || ((decorations & 1)); then
        wrong+=("decorations not limited")
    else
        ((decorations & 32)) && wrong+=("minimise button")
        ((decorations & 64)) && wrong+=("maximise button")
    fi
    [ "$min" = "$size" ] && [ "$max" = "$size" ] || wrong+=("size $size, minimum $min, maximum $max")
    if [ ${#wrong[@]} -gt 0 ]; then
        fail "$label: hints ask for more than a close box and a fixed size: ${wrong[*]}" \
            "(_MOTIF_WM_HINTS $motif)"
    else
        echo "ok   $label: close box only, fixed ${size/ /x} (_MOTIF_WM_HINTS $motif)"
    fi
}

# WINDOW: waits up to 3 s for it to be the active window.
becomes_active() {
    for _ in $(seq 30); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# WINDOW: activates it through the window manager, as a click on it or on
# its task-bar entry would.
activate() {
    xdotool windowactivate "$1" 2>/dev/null || true
    becomes_active "$1"
}

# WINDOW CROP: the mean colour of that part of the window, "R G B" from 0 to 255.
mean_colour() {
    import -window "$1" -crop "$2" +repage \
        -format '%[fx:round(255*mean.r)] %[fx:round(255*mean.g)] %[fx:round(255*mean.b)]' \
        info: 2>/dev/null || true
}

# "R G B" "R G B": whether two colours are alike, each channel within 30.
alike() {
    local a b i
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    [ ${#a[@]} -eq 3 ] || return 1
    for i in 0 1 2; do
        (((a[i] - b[i]) ** 2 < 900)) || return 1
    done
}

# WINDOW: whether it shows at least three different pictures within about a
# second. A window repainted once after coming back shows two at the most.
is_moving() {
    local sum
    declare -A seen=()
    for _ in $(seq 12); do
        sum=$(window_sum "$1")
        seen[$sum]=1
        [ ${#seen[@]} -ge 3 ] && return 0
        sleep 0.08
    done
    return 1
}

# LABEL TITLE KIND: waits for the message box titled TITLE (a pattern), checks
# the hints of its KIND once, and closes it with Return.
close_box() {
    local box
    if ! box=$(wait_for_window "$pid" "$2"); then
        fail "$1: no $3"
        return 1
    fi
    check_fixed_hints "$3" "$box"
    activate "$box" || true
    xdotool key Return
}

# The tie-break windows' titles: "Kinsight? " with a blank, and "Kinsight?".
declare -A title_pattern=([Dual]='^Kinsight\? $' [Tri]='^Kinsight\?$')

# LABEL ANSWER WINDOW [KEYS]: chooses ANSWER with a click, or with KEYS
# pressed straight away, and closes the draw message with Return; the
# tie-break window (Dual or Tri) comes up moving. Sets `tie`.
open_draw() {
    local label=$1 answer=$2 name=$3 keys=${4:-}
    if [ -n "$keys" ]; then
        # shellcheck disable=SC2086 # one key a word
        xdotool key --delay 200 $keys
    else
        activate "$main" || true
        xdotool mousemove --window "$main" 40 $((48 + 32 * (answer - 1) + 12)) click 1
    fi
    close_box "$label" '^Draw$' "draw message" || return 1
    if ! tie=$(wait_for_window "$pid" "${title_pattern[$name]}"); then
        fail "$label: no $name after the draw message"
        return 1
    fi
    check_fixed_hints "$name" "$tie"
    is_moving "$tie" || fail "$label: not moving when shown"
    if [ -n "${KINSIGHT_WM_SHOTS:-}" ]; then
        import -window root "$KINSIGHT_WM_SHOTS/$label.png"
    fi
}

# WINDOW: waits up to 3 s for the window manager to have it minimised.
is_minimised() {
    for _ in $(seq 30); do
        [[ $(xprop -id "$1" WM_STATE 2>/dev/null) == *Iconic* ]] && return 0
        sleep 0.1
    done
    return 1
}

# LABEL: minimises the tie-break window through the window manager and gives
# the focus to another program for a while.
minimise_for_another_program() {
    xdotool windowminimize "$tie"
    is_minimised "$tie" || fail "$1: the window manager did not minimise the window"
    activate "$another" || fail "$1: the other program did not get the focus"
    sleep 0.5 # the user looks elsewhere for a moment
}

# LABEL: restores the minimised tie-break window; it moves again.
restore() {
    activate "$tie" || fail "$1: the window did not come back active"
    if is_moving "$tie"; then
        echo "ok   $1: moving again after minimise, another program, restore"
    else
        fail "$1: standing still after minimise, another program, restore"
    fi
    if [ -n "${KINSIGHT_WM_SHOTS:-}" ]; then
        import -window root "$KINSIGHT_WM_SHOTS/$1, restored.png"
    fi
}

# LABEL HOW: presses Stop on the tie-break window with a click or a key.
press_stop() {
    case $2 in
    click) xdotool mousemove --window "$tie" 220 240 click 1 ;;
    key) xdotool key space ;;
    esac
}

# LABEL TIED...: the greeting comes up and is closed with Return; the main
# window then shows the picture of one of the TIED, the tie-break window is
# gone, and the keyboard is with the main window again.
expect_announcement() {
    local label=$1
    shift
    # The spinner slows for about two seconds before it announces.
    close_box "$label" '^Kinsight$' greeting || return 1

    local colour='' name chosen=''
    for _ in $(seq 50); do
        colour=$(mean_colour "$main" 161x193+288+8)
        for name in "$@"; do
            if alike "$colour" "${colour_of[$name]}"; then
                chosen=$name
                break 2
            fi
        done
        sleep 0.1
    done
    if [ -n "$chosen" ]; then
        echo "ok   $label: $chosen announced, whose picture the main window shows"
    else
        fail "$label: result picture of colour $colour, none of the tied $*'s"
    fi
    if xwininfo -id "$tie" 2>/dev/null | grep -q IsViewable; then
        fail "$label: the tie-break window is still up after its announcement"
    fi
    if becomes_active "$main"; then
        echo "ok   $label: the keyboard is with the main window again"
    else
        fail "$label: the active window is $(xdotool getactivewindow), not the main window"
    fi
}

# Restarts with a click on cmd_restart.
restart() {
    xdotool mousemove --window "$main" 368 244 click 1
    main=$(wait_for_window "$pid" "^$title\$") || {
        echo "FAIL no main window after the restart"
        exit 1
    }
}

check_main_geometry "at start"
check_fixed_hints "main window" "$main"

# The about window, from the keyboard, closed through the window manager.
activate "$main" || fail "the main window is not active at start"
xdotool key F1
if about=$(wait_for_window "$pid" '^About box Thingy$'); then
    check_fixed_hints "about window" "$about"
    activate "$about" || true
    xdotool key alt+F4
    for _ in $(seq 30); do
        xdotool search --onlyvisible --name '^About box Thingy$' >/dev/null 2>&1 || break
        sleep 0.1
    done
    if xdotool search --onlyvisible --name '^About box Thingy$' >/dev/null 2>&1; then
        fail "about window still up after the window manager closed it"
    fi
else
    fail "F1 opened no about window"
fi
# Minimised, it comes back on F1 from the main window; Escape closes it.
activate "$main" || true
xdotool key F1
if about=$(wait_for_window "$pid" '^About box Thingy$'); then
    xdotool windowminimize "$about"
    is_minimised "$about" || fail "the window manager did not minimise the about window"
    activate "$main" || true
    xdotool key F1
    if becomes_active "$about"; then
        xdotool key Escape
        for _ in $(seq 30); do
            xdotool search --onlyvisible --name '^About box Thingy$' >/dev/null 2>&1 || break
            sleep 0.1
        done
        if xdotool search --onlyvisible --name '^About box Thingy$' >/dev/null 2>&1; then
            fail "Escape left the about window up"
        else
            echo "ok   about window: shown again when minimised, closed by Escape"
        fi
    else
        fail "F1 left the minimised about window minimised"
    fi
fi

label="two-way draw"
open_draw "$label" 1 Dual
minimise_for_another_program "$label"
restore "$label"
press_stop "$label" click
expect_announcement "$label" Rose Lime

restart
check_main_geometry "after a restart"
# The keyboard works at once: Shift+Tab reaches the result field, which
# takes a letter; Tab goes back to the answers, and Down then Space chooses
# answer 2.
result_field=161x19+288+208
xdotool key shift+Tab
sleep 0.5
before=$(window_sum "$main" $result_field)
xdotool key x
sleep 0.5
if [ "$(window_sum "$main" $result_field)" != "$before" ]; then
    echo "ok   after a restart: Shift+Tab moves the focus"
else
    fail "after a restart: Shift+Tab and a letter left the result field as it was"
fi
label="three-way draw"
open_draw "$label" 2 Tri "Tab Down space"
minimise_for_another_program "$label"
restore "$label"
press_stop "$label" key
expect_announcement "$label" Sun Sky Plum

# Minimised while slowing, the spinner still announces, and its greeting
# shows.
restart
label="two-way draw minimised while slowing"
open_draw "$label" 1 Dual
press_stop "$label" click
minimise_for_another_program "$label"
expect_announcement "$label" Rose Lime

kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/err")"

# A double-click on an answer, as the window manager delivers it, answers
# one question. On a quiz of two, answer 1 then answer 1 makes Lime the
# result, answer 1 then answer 2 Sun: the click after the double-click
# answers the second question only if the double-click answered the first
# alone.
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
title="Double-click quiz"
write_quiz "$work/quiz/way.txt" "$title" 2 "C01=5 C02=6" "C03=9" "" "" "" ""
"$program" "$work/quiz" >"$work/err" 2>&1 &
pid=$!
main=$(wait_for_window "$pid" "^$title\$") || {
    echo "FAIL no main window for the double-click: $(cat "$work/err")"
    exit 1
}
activate "$main" || true
xdotool mousemove --window "$main" 40 60 click --repeat 2 --delay 80 1
xdotool mousemove --window "$main" 40 92 click 1
colour=''
for _ in $(seq 50); do
    colour=$(mean_colour "$main" 161x193+288+8)
    alike "$colour" "${colour_of[Sun]}" || alike "$colour" "${colour_of[Lime]}" && break
    sleep 0.1
done
if alike "$colour" "${colour_of[Sun]}"; then
    echo "ok   a double-click on an answer answers one question"
else
    fail "a double-click answered more than one question (result picture $colour, not Sun's)"
fi
exit $((failures > 0))
