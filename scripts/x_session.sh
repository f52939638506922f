# shellcheck shell=bash
# Shell helpers for the tests that run the built program on a virtual X
# server: counted failures, waiting for a window, where a window's client
# area lies, a window manager and another program of the test's own, what a
# window shows, and quizzes of one shape written in the quiz format. Sourced,
# never run.

failures=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

crlf() { printf '%s\r\n' "$@"; }

# end_program: ends the program a test started in the background, whose
# process id is in $pid, and forgets it.
end_program() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

# wait_for_window PID PATTERN [SECONDS]: waits up to SECONDS (60), while
# process PID runs, for a visible window of PID whose title matches PATTERN
# and prints its id. With PID empty, a window of any process (one a launcher
# started, say).
wait_for_window() {
    local pid=$1 pattern=$2 seconds=${3:-60} window
    for _ in $(seq $((seconds * 10))); do
        window=$(xdotool search --all --onlyvisible ${pid:+--pid "$pid"} --name "$pattern" \
            2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# client_geometry WINDOW: "LEFT TOP WIDTH HEIGHT" of its client area on the
# screen, under a window manager's frame or not.
client_geometry() {
    xwininfo -id "$1" 2>/dev/null |
        awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
             /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# window_sum WINDOW [CROP]: a checksum of the pixels the window shows (of the
# part WIDTHxHEIGHT+LEFT+TOP only, if given), to tell two moments apart.
window_sum() {
    import -window "$1" ${2:+-crop "$2" +repage} rgb:- 2>/dev/null | md5sum
}

# need PROGRAM...: leaves the test out (status 77) when one is missing, but
# fails it in CI (CI=true), where every one must be there.
need() {
    local p
    for p; do
        command -v "$p" >/dev/null && continue
        if [ "${CI:-}" = true ]; then
            echo "FAIL $p is not installed (bash scripts/setup.sh --test)"
            exit 1
        fi
        echo "left out: $p is not installed (bash scripts/setup.sh --test)"
        exit 77
    done
}

# start_desktop FOLDER: starts the window manager KINSIGHT_WM (openbox unless
# set) with its shipped settings (not the user's), logging into FOLDER, and
# another program to switch to (see start_other). Returns once the window
# manager has framed it; sets wm_pid.
start_desktop() {
    local folder=$1 wm=${KINSIGHT_WM:-openbox}
    need "$wm"
    mkdir -p "$folder/wm-config" "$folder/wm-cache"
    case $wm in
    openbox) set -- --sm-disable ;;
    mutter) set -- --x11 ;;
    *) set -- ;;
    esac
    XDG_CONFIG_HOME=$folder/wm-config XDG_CACHE_HOME=$folder/wm-cache \
        "$wm" "$@" >"$folder/wm.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 600); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    start_other || {
        echo "FAIL $wm did not frame another program's window: $(cat "$folder/wm.log")"
        return 1
    }
}

# start_other: starts xlogo as another program to switch to, in a corner
# clear of the program's windows, and waits until the window manager frames
# it; sets other (its process) and another (its window). Escape ends xlogo,
# so a test that sends keys at random may need it again.
start_other() {
    xlogo -geometry 100x100+900+640 >/dev/null 2>&1 &
    other=$!
    local tries
    for tries in $(seq 600); do
        another=$(xdotool search --all --onlyvisible --name '^xlogo$' 2>/dev/null | head -n 1) ||
            true
        [ -n "$another" ] && return 0
        kill -0 "$wm_pid" 2>/dev/null && kill -0 "$other" 2>/dev/null || break
        # A window mapped while openbox is still starting up can be left
        # unmapped for good: ask again.
        if [ $((tries % 10)) -eq 0 ]; then
            xdotool search --all --name '^xlogo$' windowmap %@ 2>/dev/null || true
        fi
        sleep 0.1
    done
    return 1
}

# write_quiz FILE TITLE QUESTIONS WEIGHTS1 .. WEIGHTS6: a quiz for the fifteen
# characters of the array `names`, in which every question has the same six
# answers; WEIGHTSk is a blank-separated list such as "C04=3 C09=3 C01=1".
write_quiz() {
    local file=$1 title=$2 questions=$3
    shift 3
    {
        crlf "$title" "Written for a test"
        # shellcheck disable=SC2154 # the caller's
        crlf "${names[@]}"
        crlf "" "Start:"
        local q k field
        for ((q = 1; q <= questions; q++)); do
            [ $q -gt 1 ] && crlf "NewQuestion:"
            crlf "Question $q" "\"Question $q of $questions\""
            for ((k = 1; k <= 6; k++)); do
                local weights=${!k}
                crlf "A$k)" "\"Answer $k: ${weights:-no points}\"" "Points:"
                for field in $weights; do
                    crlf "$field"
                done
                crlf ""
            done
        done
        crlf "NewQuestion:" "ENDQUESTIONS"
    } >"$file"
}

# Starts Orca with no voice and no braille, its debug log (which stamps
# each utterance with the time) in FOLDER/orca.log, its settings in
# FOLDER/data; sets orca to its pid. Orca refuses to start while another of
# this user's runs, anywhere (a test of another checkout, say): it starts
# once none is left.
start_orca() {
    local folder=$1
    mkdir -p "$folder/data/orca"
    echo '{"general": {"speechServerFactory": "none", "speechFactoryModules": [],
  "enableBraille": false}, "profiles": {"default": {"profile": ["Default", "default"],
  "pronunciations": {}, "keybindings": {}}}, "pronunciations": {}, "keybindings": {}}' \
        >"$folder/data/orca/user-settings.conf"
    for _ in $(seq 1200); do
        pgrep -u "$(id -u)" -x orca >/dev/null || break
        sleep 0.1
    done
    XDG_DATA_HOME=$folder/data script -qfec "orca --debug-file=/dev/stdout" "$folder/orca.log" \
        >/dev/null 2>&1 </dev/null &
    orca=$!
}
