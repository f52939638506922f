#!/usr/bin/env bash
# The built program end to end. Without a display: its options and wrong
# command lines, each with its exit status and message, and the clear
# message that it needs a display. Under a virtual X server: the quiz beside
# the program (started through a symbolic link, it still finds the quiz
# beside its real file and opens at its designed place), a quiz folder or a
# quiz file named on the command line, and a broken, missing or misnamed quiz
# reported before anything else, with status 1 once the report is closed.
#
#   program_test.sh BUILT_PROGRAM VERSION BUILT_KINSIGHT_CHECK
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != "--inside-xvfb" ]; then
    program=$(realpath "$1")
    version=$2
    check=$(realpath "$3")
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    failures=0
    usage='Usage: kinsight [options] [QUIZ]'

    # LABEL STATUS STREAM FIRST_LINE SECOND_LINE -- ARGUMENTS: the program,
    # with no display (or the NAME=VALUE words of $with), ends with STATUS and
    # writes its lines to STREAM (out or err) alone; a wrong command line also
    # shows the usage there.
    options_case() {
        local label=$1 expected=$2 stream=$3 first=$4 second=$5
        shift 6
        local status=0 other=out
        [ "$stream" = out ] && other=err
        # shellcheck disable=SC2086 # one variable a word
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${with:-} "$program" "$@" \
            >"$work/out" 2>"$work/err" || status=$?
        local got1 got2
        got1=$(sed -n 1p "$work/$stream")
        got2=$(sed -n 2p "$work/$stream")
        if [ "$status" -ne "$expected" ]; then
            echo "FAIL $label: status $status, expected $expected"
        elif [ "$got1" != "$first" ] || [ "$got2" != "$second" ]; then
            echo "FAIL $label: std$stream began \"$got1\" / \"$got2\""
        elif [ -s "$work/$other" ]; then
            echo "FAIL $label: std$other not empty: $(cat "$work/$other")"
        elif [ "$expected" -eq 2 ] && ! grep -qxF "$usage" "$work/$stream"; then
            echo "FAIL $label: no usage on std$stream"
        else
            echo "ok   $label: status $status, $first"
            return 0
        fi
        failures=$((failures + 1))
    }
    license='License GPL-3.0-or-later: <https://gnu.org/licenses/gpl.html>'
    purpose="Plays a personality quiz: one question at a time, then the character you are."
    options_case "--help" 0 out "$usage" "$purpose" -- --help
    options_case "-h before a quiz" 0 out "$usage" "$purpose" -- -h some/quiz
    options_case "--version" 0 out "kinsight $version" "$license" -- --version
    options_case "--version with a quiz" 0 out "kinsight $version" "$license" -- some/quiz -v
    options_case "unknown option" 2 err "kinsight: unknown option --bogus" "" -- --bogus
    options_case "single-dash long option" 2 err \
        "kinsight: unknown option -reverse (options start with two dashes)" "" -- -reverse
    options_case "two arguments" 2 err \
        "kinsight: one quiz at a time, but 2 arguments were given" "" -- one two
    options_case "empty argument" 2 err "kinsight: the quiz argument is empty" "" -- ""
    # No display at all: a clear message and status 1, not Qt's abort.
    for with in "" "DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM="; do
        options_case "no display${with:+, the variables empty}" 1 err \
            "kinsight: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); without a desktop, run it under xvfb-run (packages xvfb and xauth)" "" --
    done
    [ $failures -eq 0 ] || exit 1

    exec "$here/../../scripts/with-xvfb.sh" "$0" --inside-xvfb "$program" "$check"
fi
program=$2
check=$3
unset QT_QPA_PLATFORM
# shellcheck source=../../scripts/x_session.sh
source "$here/../../scripts/x_session.sh"
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# LABEL EXPECT PATTERN FOLDER -- COMMAND: runs COMMAND in FOLDER.
#   EXPECT window: the main window comes up with a title matching PATTERN,
#                  at its designed place, and no failure box.
#   EXPECT report: a failure box comes up alone; once it is closed the
#                  program ends with status 1 and the error line matches
#                  PATTERN.
program_case() {
    local label=$1 expect=$2 pattern=$3 folder=$4 window
    shift 5
    (cd "$folder" && exec "$@") 2>"$work/err" &
    pid=$!
    if [ "$expect" = window ]; then
        if ! window=$(wait_for_window "$pid" "$pattern"); then
            fail "$label: no main window titled $pattern: $(cat "$work/err")"
        else
            local geometry icon=
            # Mapped, it may not be at its place yet.
            for _ in $(seq 30); do
                geometry=$(client_geometry "$window")
                [ "$geometry" = "89 108 458 261" ] && break
                sleep 0.1
            done
            # The icon comes just after the window.
            for _ in $(seq 50); do
                icon=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon (128 x 128)') && break
                sleep 0.1
            done
            if [ "$geometry" != "89 108 458 261" ]; then
                fail "$label: main window geometry $geometry"
            elif [ -z "$icon" ]; then
                fail "$label: the main window has no icon"
            elif xdotool search --all --onlyvisible --pid "$pid" --name '^Kinsight$' >/dev/null 2>&1; then
                fail "$label: a failure box opened: $(cat "$work/err")"
            else
                echo "ok   $label: $(xdotool getwindowname "$window") at 89,108 sized 458x261"
            fi
        fi
        end_program
        return 0
    fi

    if ! window=$(wait_for_window "$pid" '^Kinsight$'); then
        fail "$label: no failure box; the program said: $(cat "$work/err")"
        end_program
        return 0
    fi
    local shown
    shown=$(xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
    [ "$shown" -eq 1 ] || fail "$label: $shown windows up with the report"
    xdotool windowfocus --sync "$window" key Return
    local status=0
    wait "$pid" || status=$?
    pid=
    local line
    line=$(grep -v '^QStandardPaths' "$work/err" || true)
    if [ $status -ne 1 ]; then
        fail "$label: status $status"
    elif ! [[ "$line" =~ $pattern ]]; then
        fail "$label: error line \"$line\", expected \"$pattern\""
    else
        echo "ok   $label: $line"
    fi
}

quiz="$(dirname "$program")/way.txt"
title=$(head -n 1 "$quiz" | tr -d '\r')
title_pattern=$(sed 's/[][\.*^$?+(){}|/]/\\&/g' <<<"$title")
# The file cut inside the second question's fourth answer: only a check of
# the whole quiz finds that before the user has answered anything.
second=$(grep -n '^NewQuestion:' "$quiz" | head -n 1 | cut -d: -f1)
cut_at=$(awk -v from="$second" 'NR > from && /^A4\)/ { print NR; exit }' "$quiz")
cut_error='Input past end of file \(reading the text of answer 4\)$'

# The quiz beside the program: through a link, from another folder.
mkdir -p "$work/bin" "$work/elsewhere"
ln -s "$program" "$work/bin/kinsight"
program_case "no argument, through a link" window "^${title_pattern}\$" "$work/elsewhere" -- \
    "$work/bin/kinsight"

# Quizzes of an author's own, away from the program.
mkdir -p "$work/quizzes/mine" "$work/quizzes/pets" "$work/empty"
for dir in mine pets; do
    cp -r "$(dirname "$program")/Pictures" "$work/quizzes/$dir/"
done
sed '1s/.*/My own quiz\r/' "$quiz" >"$work/quizzes/mine/way.txt"
sed '1s/.*/Pets of Qel\r/' "$quiz" >"$work/quizzes/pets/pets.txt"
head -n "$cut_at" "$quiz" >"$work/quizzes/pets/broken pets.txt"
program_case "a folder, relative" window '^My own quiz$' "$work/elsewhere" -- \
    "$program" ../quizzes/mine
program_case "a quiz file of any name" window '^Pets of Qel$' "$work/elsewhere" -- \
    "$program" "$work/quizzes/pets/pets.txt"
# Named as on the command line, as the checker names it.
program_case "a broken quiz file of any name" report \
    "^\\.\\./quizzes/pets/broken pets\\.txt:[0-9]+: $cut_error" \
    "$work/elsewhere" -- "$program" "../quizzes/pets/broken pets.txt"
# An author starts the preview on a quiz still being written: its failure
# box waits, and the first save that plays opens the quiz.
cp "$work/quizzes/pets/broken pets.txt" "$work/quizzes/pets/draft.txt"
(cd "$work/elsewhere" && exec "$program" --watch ../quizzes/pets/draft.txt) 2>"$work/err" &
pid=$!
if ! wait_for_window "$pid" '^Kinsight$' >/dev/null; then
    fail "--watch on a draft: no failure box: $(cat "$work/err")"
else
    cp "$work/quizzes/pets/pets.txt" "$work/quizzes/pets/draft.txt"
    if ! wait_for_window "$pid" '^Pets of Qel$' >/dev/null; then
        fail "--watch on a draft: the save that plays opened no window: $(cat "$work/err")"
    elif xdotool search --all --onlyvisible --pid "$pid" --name '^Kinsight$' >/dev/null 2>&1; then
        fail "--watch on a draft: the failure box stayed up"
    else
        echo "ok   --watch on a draft: its failure waits for the save that plays"
    fi
fi
end_program
program_case "a folder without way.txt" report "^$work/empty/way\\.txt: File not found\$" \
    "$work/elsewhere" -- "$program" "$work/empty"
program_case "a missing path" report "^\.\./nowhere: File not found\$" "$work/elsewhere" -- \
    "$program" ../nowhere
# A folder named in Latin-1, its pictures beside the quiz: the window comes
# up, and the bytes of a missing one's name are shown readably.
latin1=$(printf 'caf\xe9')
cp -r "$work/quizzes/mine" "$work/quizzes/$latin1"
program_case "a folder named in Latin-1" window '^My own quiz$' "$work/elsewhere" -- \
    "$program" "../quizzes/$latin1"
program_case "a missing folder named in Latin-1" report \
    "^\.\./$(printf 'caf\xc3\xa9'): File not found\$" "$work/elsewhere" -- "$program" "../$latin1"
mkfifo "$work/pipe"
program_case "a pipe" report "^$work/pipe: Path/File access error \\(it is not a plain file\\)\$" \
    "$work/elsewhere" -- "$program" "$work/pipe"

# A broken quiz and a missing one beside the program.
mkdir -p "$work/broken"
cp "$program" "$work/broken/kinsight"
head -n "$cut_at" "$quiz" >"$work/broken/way.txt"
program_case "quiz beside the program broken in its second question" report \
    "^way\\.txt:[0-9]+: $cut_error" "$work/elsewhere" -- "$work/broken/kinsight"
# Too few names before "Start:": the report is the checker's error and its
# note, word for word, each with its own line.
start=$(grep -n '^Start:' "$quiz" | head -n 1 | cut -d: -f1)
mkdir -p "$work/few"
sed "16,$((start - 1))d" "$quiz" >"$work/few/way.txt"
checked=$(cd "$work/elsewhere" && { "$check" --quiet ../few || true; } | sed -E 's/^([^:]*:[0-9]+): (error|note): /\1: /')
[ "$(wc -l <<<"$checked")" -eq 2 ] || fail "the checker's error on too few names has no note: $checked"
program_case "too few names, explained as the checker does" report \
    "^$(sed 's/[][\.*^$?+(){}|/]/\\&/g' <<<"$checked")\$" "$work/elsewhere" -- "$program" ../few
cp "$program" "$work/empty/kinsight"
program_case "no quiz beside the program" report "^$work/empty/way\\.txt: File not found\$" \
    "$work/elsewhere" -- "$work/empty/kinsight"

exit $((failures > 0))
