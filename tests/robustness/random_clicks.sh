#!/usr/bin/env bash
# Clicks at random on every window of the built program under a virtual X
# server with a window manager (openbox) and checks that it stays alive and
# answering. The program runs in turn on the bundled quiz and on small
# quizzes that always end in a two-, three-, four- or five-way draw, or in any
# result from one question; the clicks are mixed with Enter, Escape and space
# for the message boxes, Stop on the tie-break windows, restarts, the about
# window, windows closed by their close box or by the window manager, the
# tie-break windows minimised and restored, and looks at another program.
#
#   random_clicks.sh [--clicks N] [--seed S] [--variants "bundled every two three four five"]
#                    --tool WINDOW_TOOL PROGRAM
#
# The seed is KINSIGHT_SEED when set, or a fixed one, so that a run repeats
# the last unless asked otherwise; a failed run says how to replay it.
#
# WINDOW_TOOL is the built kinsight_window_tool (close box and ping; cmake
# --build BUILD --target kinsight_window_tool). --variants runs only the
# named quizzes, sharing the clicks among them. Exit status 0 when every
# check passed and the program ended cleanly when its main window was closed.
set -euo pipefail

script_dir=$(cd "$(dirname "$0")" && pwd)
clicks=10000
seed=${KINSIGHT_SEED:-1}
tool=
chosen="bundled every two three four five"
inside=0
while [ $# -gt 1 ]; do
    case $1 in
    --clicks) clicks=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --tool) tool=$2; shift 2 ;;
    --variants) chosen=$2; shift 2 ;;
    --inside-xvfb) inside=1; shift ;;
    *) break ;;
    esac
done
if [ $# -ne 1 ] || ! [[ $clicks =~ ^[0-9]+$ ]] || [ "$clicks" -lt 6 ] || [ -z "$tool" ]; then
    echo "usage: random_clicks.sh [--clicks N>=6] [--seed S]" \
        "[--variants \"bundled every two three four five\"] --tool WINDOW_TOOL PROGRAM" >&2
    exit 2
fi
program=$(realpath "$1")
if ! [ -x "$tool" ]; then
    echo "FAIL no window tool at $tool; cmake --build BUILD --target kinsight_window_tool" >&2
    exit 2
fi
tool=$(realpath "$tool")

replay="$0 --clicks $clicks --variants \"$chosen\" --tool $tool $program"
# Never on the user's own desktop: always a server of our own.
if [ $inside -eq 0 ]; then
    exec "$script_dir/../../scripts/with-xvfb.sh" "$0" --inside-xvfb --clicks "$clicks" \
        --seed "$seed" --variants "$chosen" --tool "$tool" "$program"
fi
unset QT_QPA_PLATFORM
# shellcheck source=../../scripts/x_session.sh
source "$script_dir/../../scripts/x_session.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/kinsight-clicks-XXXXXX")
child=
wm_pid=
other=
cleanup() {
    local p
    [ -n "$child" ] && kill -9 "$child" 2>/dev/null
    for p in "$other" "$wm_pid"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
# As a desktop session provides it; Qt warns on every start without it.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A window manager that frames the windows and minimises them whatever they
# ask for, and another program to look at.
start_desktop "$work" || exit 1

RANDOM=$seed
# ImageMagick's import, if present, samples the result picture.
have_import=$(command -v import) || have_import=
quiz_dir=$(dirname "$program")
if [ ! -f "$quiz_dir/way.txt" ] || [ ! -d "$quiz_dir/Pictures" ]; then
    echo "FAIL no way.txt and Pictures/ beside $program" >&2
    exit 2
fi

# ---------------------------------------------------------------- quizzes

# The bundled quiz writes one field per line: title, a free line, 15 names.
mapfile -t names < <(sed -n '3,17p' "$quiz_dir/way.txt" | tr -d '\r')
if [ ${#names[@]} -ne 15 ]; then
    echo "FAIL cannot read the 15 names of the bundled quiz" >&2
    exit 2
fi

# Every answer gives the tied characters the same points and anyone else
# fewer, so any answered quiz ends in that draw; skipping every question
# leaves all fifteen at 0.
write_draw_quiz() {
    local file=$1 title=$2
    shift 2
    local tied=("$@") k answers=() extra=(1 2 13 15 3 5)
    local points=(0 3 5 2 9 1 7)
    for ((k = 1; k <= 6; k++)); do
        local p=${points[$k]} list="" slot
        for slot in "${tied[@]}"; do
            list+=$(printf 'C%02d=%d ' "$slot" "$p")
        done
        # Someone else gets fewer points, unless that someone is tied.
        local other=${extra[$((k - 1))]}
        if [ "$p" -gt 1 ] && [[ " ${tied[*]} " != *" $other "* ]]; then
            list+=$(printf 'C%02d=%d' "$other" $((p - 1)))
        fi
        answers+=("$list")
    done
    write_quiz "$file" "$title" 3 "${answers[@]}"
}

prepare_folder() {
    local dir=$work/$1 name
    mkdir -p "$dir"
    cp "$program" "$dir/kinsight"
    cp -r "$quiz_dir/Pictures" "$dir/Pictures"
    # Every name needs its picture; a missing one is a copy of another.
    local any
    any=$(find "$dir/Pictures" -name '*.jpg' | head -n 1)
    for name in "${names[@]}"; do
        [ -f "$dir/Pictures/$name.jpg" ] || cp "$any" "$dir/Pictures/$name.jpg"
    done
}

declare -A share=([bundled]=30 [every]=30 [two]=10 [three]=10 [four]=10 [five]=10)
variants=()
shares=0
for v in $chosen; do
    if [ -z "${share[$v]+set}" ]; then
        echo "FAIL no quiz named $v" >&2
        exit 2
    fi
    variants+=("$v")
    shares=$((shares + share[$v]))
done
for v in bundled every two three four five; do
    prepare_folder "$v"
done
cp "$quiz_dir/way.txt" "$work/bundled/way.txt"
# One question whose answers give: a single winner (a name with a blank in
# the bundled quiz), a two-, three-, four- and five-way draw, and nothing.
write_quiz "$work/every/way.txt" "Every result in one question" 1 \
    "C07=5 C01=2" "C01=4 C02=4" "C03=3 C04=3 C05=3" "C06=2 C08=2 C09=2 C10=2" \
    "C11=1 C12=1 C13=1 C14=1 C15=1" ""
write_draw_quiz "$work/two/way.txt" "Two-way draws" 4 9
write_draw_quiz "$work/three/way.txt" "Three-way draws" 2 7 11
write_draw_quiz "$work/four/way.txt" "Four-way draws" 1 5 10 15
write_draw_quiz "$work/five/way.txt" "Five-way draws" 3 6 8 12 14

# ------------------------------------------------------------ the program

declare -A title_of      # window id -> title
declare -A size_of       # window id -> "width height"
declare -A appearances   # title -> times a window of that title came up
declare -A visible_before
declare -A wm_actions    # what was done through the window manager -> times
total_clicks=0
total_keys=0
checks=0
picture_changes=0
main=
quiz_title=
previous_sample=
shown_picture=

# Lists the visible windows of the program into the array `windows`,
# learning the title and size of new ones and counting appearances.
list_windows() {
    windows=()
    local id
    declare -A now=()
    while read -r id; do
        [ -n "$id" ] || continue
        if [ -z "${title_of[$id]+set}" ]; then
            title_of[$id]=$(xdotool getwindowname "$id" 2>/dev/null) || continue
            size_of[$id]=$(client_geometry "$id" | cut -d' ' -f3-) || true
        fi
        windows+=("$id")
        now[$id]=1
        if [ -z "${visible_before[$id]+set}" ]; then
            local title=${title_of[$id]}
            appearances[$title]=$((${appearances[$title]:-0} + 1))
        fi
    done < <(xdotool search --all --onlyvisible --pid "$child" 2>/dev/null)
    visible_before=()
    for id in "${!now[@]}"; do
        visible_before[$id]=1
    done
}

# The first visible window with the given title, if any.
window_titled() {
    local id
    for id in "${windows[@]}"; do
        if [ "${title_of[$id]}" = "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

is_box() {
    [ "${title_of[$1]}" = "Draw" ] || [ "${title_of[$1]}" = "Kinsight" ]
}

click_at() {
    xdotool mousemove --window "$1" "$2" "$3" click 1 2>/dev/null || true
    total_clicks=$((total_clicks + 1))
    variant_clicks=$((variant_clicks + 1))
}

# Through the window manager, as a click on its frame or task-bar entry would.
focus_window() {
    xdotool windowactivate "$1" 2>/dev/null || true
}

# Closed as a user would: by its close box, or by the window manager's
# Alt+F4 once the window is active (and only then, not to close another).
close_window() {
    if [ $((RANDOM % 2)) -eq 0 ]; then
        "$tool" close "$1" 2>/dev/null || true
        count_wm "closed by the close box"
    elif timeout 2 xdotool windowactivate --sync "$1" 2>/dev/null &&
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; then
        xdotool key --clearmodifiers alt+F4 2>/dev/null || true
        count_wm "closed by Alt+F4"
    fi
}

# WHAT: counts one thing done through the window manager.
count_wm() {
    wm_actions[$1]=$((${wm_actions[$1]:-0} + 1))
}

# Alive: the process runs, its main window is up with the quiz's title (a
# restart hides it for a moment), and it answers a ping from its event loop.
check_alive() {
    local when=$1
    checks=$((checks + 1))
    if ! kill -0 "$child" 2>/dev/null; then
        fail "$variant: the program ended by itself ($when)"
        return 1
    fi
    local id= tries
    for tries in $(seq 30); do
        list_windows
        id=$(window_titled "$quiz_title") && break
        restore_main || true
        sleep 0.1
    done
    if [ -z "$id" ]; then
        fail "$variant: no main window titled \"$quiz_title\" ($when)"
        describe_windows
        return 1
    fi
    local started=$EPOCHREALTIME
    if ! "$tool" ping "$id" 5000; then
        fail "$variant: the program does not answer ($when)"
        return 1
    fi
    local ms
    ms=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN {printf "%.0f", (b - a) * 1000}')
    echo "ok   $variant: alive and answering after $total_clicks clicks (ping ${ms} ms;" \
        "${#windows[@]} window(s) up)"
}

# Every window of the program, shown or not, with its state as the window
# manager sees it, to tell a window hidden from one minimised or left on
# another desktop.
describe_windows() {
    local id state
    for id in $(xdotool search --all --pid "$child" --name . 2>/dev/null); do
        state=$(xprop -id "$id" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p')
        echo "     window $id \"$(xdotool getwindowname "$id" 2>/dev/null)\":" \
            "$(xwininfo -id "$id" 2>/dev/null | sed -n 's/.*Map State: //p'), ${state:-no state}," \
            "$(xprop -id "$id" _NET_WM_DESKTOP 2>/dev/null | sed 's/.* = /desktop /')"
    done
    echo "     current $(xprop -root _NET_CURRENT_DESKTOP | sed 's/.* = /desktop /');" \
        "showing the desktop: $(xprop -root _NET_SHOWING_DESKTOP | sed 's/.* = //')"
    kill -0 "$other" 2>/dev/null || echo "     the other program (xlogo) has ended"
}

# The result picture, sampled while no message box can cover it (the other
# windows open clear of it). A new picture counts once it is seen twice in a
# row, so a window caught between a restart and its repaint does not count.
sample_picture() {
    local id sum
    [ -n "$have_import" ] || return 0
    for id in "${windows[@]}"; do
        is_box "$id" && return 0
    done
    sum=$(window_sum "$main" 161x193+288+8) || true
    if [ "$sum" = "$previous_sample" ] && [ "$sum" != "$shown_picture" ]; then
        [ -n "$shown_picture" ] && picture_changes=$((picture_changes + 1))
        shown_picture=$sum
    fi
    previous_sample=$sum
}

# An answer or the skip choice, near its caption.
click_option() {
    local option=$((RANDOM % 7))
    local top=$((48 + 32 * option))
    [ $option -eq 6 ] && top=232
    click_at "$main" $((10 + RANDOM % 120)) $((top + 4 + RANDOM % 17))
}

is_minimised() {
    [[ $(xprop -id "$1" WM_STATE 2>/dev/null) == *Iconic* ]]
}

# Restores a minimised tie-break window, if there is one, sometimes right
# after a look at another program.
restore_minimised() {
    local id minimised=()
    for id in $(xdotool search --all --pid "$child" --name '^Kinsight\?' 2>/dev/null); do
        is_minimised "$id" && minimised+=("$id")
    done
    [ ${#minimised[@]} -gt 0 ] || return 1
    [ $((RANDOM % 2)) -eq 0 ] && look_elsewhere
    focus_window "${minimised[$((RANDOM % ${#minimised[@]}))]}"
    count_wm "tie-break window restored"
}

# Openbox gives every window a minimise button, whatever it asks for, and
# minimising a message box minimises the main window under it too; the user
# brings both back from the task bar. True when it had to.
restore_main() {
    [ -n "$main" ] && is_minimised "$main" || return 1
    focus_window "$main"
    count_wm "main window restored"
}

look_elsewhere() {
    if ! kill -0 "$other" 2>/dev/null; then
        start_other || true
        count_wm "another program started again"
    fi
    focus_window "$another"
}

# One random step: mostly a click, sometimes a key or a close box. Restarts
# are rare enough that the fourteen questions of the bundled quiz are often
# played to their end.
random_step() {
    local r=$((RANDOM % 100)) id w h dual tri
    if ! window_titled "$quiz_title" >/dev/null && restore_main; then
        return
    fi
    if [ ${#windows[@]} -eq 0 ]; then
        sleep 0.05
        return
    fi
    dual=$(window_titled "Kinsight? ") || dual=
    tri=$(window_titled "Kinsight?") || tri=
    if [ $r -lt 10 ]; then
        # A key, to the message box if one is up.
        local keys=(Return Escape space Return Escape space Tab Down Up)
        for id in "${windows[@]}"; do
            if is_box "$id"; then
                focus_window "$id"
                break
            fi
        done
        xdotool key --clearmodifiers "${keys[$((RANDOM % ${#keys[@]}))]}" 2>/dev/null || true
        total_keys=$((total_keys + 1))
    elif [ $r -lt 18 ]; then
        # With the tie-break window minimised, the user comes back to it.
        if [ -z "$dual$tri" ]; then
            restore_minimised || click_option
            return
        fi
        # Stop, and sometimes wait for the needle to come to rest.
        id=${dual:-$tri}
        [ -n "$dual" ] && [ -n "$tri" ] && [ $((RANDOM % 2)) -eq 0 ] && id=$tri
        click_at "$id" $((192 + RANDOM % 57)) $((232 + RANDOM % 17))
        if [ "$id" = "$dual" ] && [ $((RANDOM % 2)) -eq 0 ]; then
            sleep 2.5
        fi
    elif [ $r -lt 20 ]; then
        click_at "$main" $((288 + RANDOM % 161)) $((232 + RANDOM % 25)) # cmd_restart
    elif [ $r -lt 24 ]; then
        click_at "$main" $((288 + RANDOM % 161)) $((8 + RANDOM % 193)) # Image1
    elif [ $r -lt 27 ]; then
        id=$(window_titled "About box Thingy") && close_window "$id" || true
    elif [ $r -lt 28 ]; then
        # A tie-break window closed before its result.
        [ -n "$dual$tri" ] && close_window "${dual:-$tri}" || true
    elif [ $r -lt 55 ]; then
        click_option
    elif [ $r -lt 58 ]; then
        # Minimised, whatever the window asks for, while spinning, slowing
        # or swinging.
        if [ -n "$dual$tri" ]; then
            xdotool windowminimize "${dual:-$tri}" 2>/dev/null || true
            count_wm "tie-break window minimised"
        else
            click_option
        fi
    elif [ $r -lt 61 ]; then
        restore_minimised || click_option
    elif [ $r -lt 62 ]; then
        look_elsewhere
        count_wm "look at another program"
    else
        id=${windows[$((RANDOM % ${#windows[@]}))]}
        read -r w h <<<"${size_of[$id]}"
        [ $((RANDOM % 2)) -eq 0 ] && focus_window "$id"
        click_at "$id" $((RANDOM % ${w:-1})) $((RANDOM % ${h:-1}))
    fi
}

# Dismisses message boxes and closes the main window as its close box
# would; the program must then end with status 0.
close_program() {
    local attempt id
    for attempt in $(seq 40); do
        kill -0 "$child" 2>/dev/null || break
        list_windows
        local boxed=0
        for id in "${windows[@]}"; do
            if is_box "$id"; then
                focus_window "$id"
                xdotool key --clearmodifiers Escape 2>/dev/null || true
                boxed=1
                break
            fi
        done
        [ $boxed -eq 0 ] && [ -n "$main" ] && "$tool" close "$main" 2>/dev/null || true
        sleep 0.25
    done
    if kill -0 "$child" 2>/dev/null; then
        fail "$variant: still running after its main window was closed"
        kill -9 "$child" 2>/dev/null || true
    fi
    local status=0
    wait "$child" || status=$?
    child=
    if [ $status -ne 0 ]; then
        fail "$variant: ended with status $status"
    fi
}

run_variant() {
    variant=$1
    local dir=$work/$1 budget=$2
    variant_clicks=0
    sampled_at=0
    local draws_before=${appearances[Draw]:-0} greetings_before=${appearances[Kinsight]:-0}
    local pictures_before=$picture_changes
    quiz_title=$(head -n 1 "$dir/way.txt" | tr -d '\r')
    title_of=()
    size_of=()
    visible_before=()
    previous_sample=
    shown_picture=
    (cd / && exec "$dir/kinsight") >"$dir/output.log" 2>&1 &
    child=$!
    main=
    local tries
    for tries in $(seq 150); do
        list_windows
        main=$(window_titled "$quiz_title") && break
        kill -0 "$child" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$main" ]; then
        fail "$variant: no main window titled \"$quiz_title\": $(tail -n 5 "$dir/output.log")"
        close_program
        return
    fi
    local dead=0 empty=0
    while [ $variant_clicks -lt "$budget" ]; do
        list_windows
        if ! kill -0 "$child" 2>/dev/null; then
            fail "$variant: the program ended by itself after $total_clicks clicks"
            dead=1
            break
        fi
        # A restart hides the main window for a moment, not for seconds.
        if [ ${#windows[@]} -eq 0 ]; then
            empty=$((empty + 1))
            if [ $empty -gt 100 ]; then
                fail "$variant: no window of the program visible for 5 s"
                describe_windows
                dead=1
                break
            fi
        else
            empty=0
        fi
        random_step
        if [ $((total_clicks % 500)) -eq 0 ] && [ "$checked_at" -ne $total_clicks ]; then
            checked_at=$total_clicks
            check_alive "check at $total_clicks clicks" || { dead=1; break; }
        fi
        if [ $((variant_clicks % 5)) -eq 0 ] && [ "$sampled_at" -ne $variant_clicks ]; then
            sampled_at=$variant_clicks
            sample_picture
        fi
    done
    if [ $dead -eq 0 ]; then
        check_alive "end of the $variant quiz" || dead=1
    fi
    if [ $dead -ne 0 ]; then
        [ -n "$have_import" ] && import -window root "${TMPDIR:-/tmp}/kinsight-clicks-failure.png" &&
            echo "     screen at the failure: ${TMPDIR:-/tmp}/kinsight-clicks-failure.png" || true
        echo "     program output: $(tail -n 5 "$dir/output.log")"
    fi
    close_program
    echo "     $variant: $variant_clicks clicks;" \
        "$((${appearances[Draw]:-0} - draws_before)) draw boxes," \
        "$((${appearances[Kinsight]:-0} - greetings_before)) greetings," \
        "$((picture_changes - pictures_before)) result-picture changes"
}

checked_at=0
echo "random clicks: $clicks in all, seed $seed"
started=$SECONDS
assigned=0
for v in "${variants[@]}"; do
    budget=$((clicks * ${share[$v]} / shares))
    [ "$v" = "${variants[-1]}" ] && budget=$((clicks - assigned))
    assigned=$((assigned + budget))
    run_variant "$v" "$budget"
done

echo "clicks done: $total_clicks; keys pressed: $total_keys; in $((SECONDS - started)) s"
echo "windows seen (title: times it came up, restores included):"
for title in "${!appearances[@]}"; do
    printf '     "%s": %d\n' "$title" "${appearances[$title]}"
done | sort
echo "results reached: ${appearances[Draw]:-0} draw boxes, ${appearances[Kinsight]:-0}" \
    "greetings (\"You are...\"), $picture_changes result-picture changes"
echo "through the window manager:"
for what in "${!wm_actions[@]}"; do
    printf '     %s: %d\n' "$what" "${wm_actions[$what]}"
done | sort
echo "alive checks: $checks, failures: $failures"
if [ $failures -ne 0 ] || [ "$total_clicks" -lt "$clicks" ]; then
    echo "FAIL; to replay: KINSIGHT_SEED=$seed $replay"
    exit 1
fi
echo "PASS: the program stayed alive and answering and ended cleanly each time"
