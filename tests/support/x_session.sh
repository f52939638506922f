# shellcheck shell=bash
# Shell helpers for the tests that run the built program on a virtual X
# server: counted failures, waiting for a window, where a window's client
# area lies, a window manager of the test's own, what a window shows, and
# quizzes of one shape written in the quiz format. Sourced, never run.

failures=0

fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

crlf() { printf '%s\r\n' "$@"; }

# wait_for_window PID PATTERN [any]: waits up to 15 s, while process PID
# runs, for a visible window of PID whose title matches PATTERN and prints its
# id. With "any" the window may be any process's: not every program tells
# its process id.
wait_for_window() {
    local pid=$1 pattern=$2 window
    local -a owner=(--pid "$pid")
    [ "${3:-}" != any ] || owner=()
    for _ in $(seq 150); do
        window=$(xdotool search --all --onlyvisible "${owner[@]}" --name "$pattern" 2>/dev/null |
            head -n 1 || true)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
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

# start_window_manager FOLDER: starts openbox with its shipped settings (not
# the user's), logging into FOLDER, and waits until it manages the screen.
# Sets wm_pid.
start_window_manager() {
    local folder=$1
    mkdir -p "$folder/wm-config" "$folder/wm-cache"
    XDG_CONFIG_HOME=$folder/wm-config XDG_CACHE_HOME=$folder/wm-cache \
        openbox --sm-disable >"$folder/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        kill -0 "$wm_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "FAIL openbox did not take the screen: $(cat "$folder/openbox.log")"
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
