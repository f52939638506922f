#!/usr/bin/env bash
# How soon a blind player hears what comes after a key: Kinsight under a
# virtual X server with openbox, a session bus and Orca (no voice; its debug
# log stamps each utterance with the time), the bundled quiz answered by
# Space, question after question, PASSES times from a fresh start. Prints,
# in seconds from Orca's echo of the key to the first utterance after it, the minimum,
# median and maximum and the share over 0.2 s, for the questions and apart
# for the results (the winner's name or a draw's message).
#
#   orca_latency.sh [--passes N] BUILT_PROGRAM
#
# Needs xvfb, openbox, dbus, at-spi2-core, orca, xdotool (setup.sh --test).
# A measure, not a test: run it on a quiet machine. ORCA_LATENCY_LOG=FILE
# keeps Orca's debug log, ORCA_LATENCY_VERBOSE=1 lists every sample.
set -euo pipefail
passes=3
if [ "${1:-}" = --passes ]; then
    passes=$2
    shift 2
fi
[ $# -eq 1 ] || {
    echo "usage: orca_latency.sh [--passes N] BUILT_PROGRAM" >&2
    exit 2
}
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts

if [ "${ORCA_LATENCY_INSIDE:-}" != 1 ]; then
    export ORCA_LATENCY_INSIDE=1
    exec dbus-run-session -- "$scripts/with-xvfb.sh" "$0" --passes "$passes" "$(realpath "$1")"
fi
program=$1
unset QT_QPA_PLATFORM
# shellcheck source=../../scripts/x_session.sh
source "$scripts/x_session.sh"
work=$(mktemp -d)
orca="" pid="" wm_pid="" other=""
cleanup() {
    [ -n "$orca" ] && kill $(pgrep -P "$orca") 2>/dev/null
    for p in "$pid" "$orca" "$other" "$wm_pid"; do
        [ -n "$p" ] && kill "$p" 2>/dev/null || true
    done
    [ -z "${ORCA_LATENCY_LOG:-}" ] || cp "$work/orca.log" "$ORCA_LATENCY_LOG"
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
echo "orca_latency: starting the accessibility bus, openbox and Orca (up to a minute)" >&2
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
for _ in $(seq 600); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
done
start_desktop "$work"
start_orca "$work"

# Each utterance as "SECONDS TEXT", SECONDS since midnight, as Orca stamps it.
# The key's echo is Orca's own ("space"), spoken as the key arrives.
utterances() {
    grep -as ' - SPEECH OUTPUT: ' "$work/orca.log" |
        sed -E 's/^([0-9]+):([0-9]+):([0-9.]+) - SPEECH OUTPUT: (.*)/\1 \2 \3 \4/' |
        awk '{ t = $1 * 3600 + $2 * 60 + $3; $1 = $2 = $3 = ""; sub(/^ +/, ""); printf "%.6f %s\n", t, $0 }'
}
now() { date +%H:%M:%S.%N | awk -F: '{ printf "%.6f\n", $1 * 3600 + $2 * 60 + $3 }'; }
# From Orca's echo of the key pressed after time T (or T, without one) to
# the first utterance after it, as "DELAY TEXT"; waits up to 20 s. An answer's
# state read aloud ("selected") is no question.
heard_after() {
    local t=$1 line
    for _ in $(seq 200); do
        line=$(utterances | awk -v t="$t" '
            $1 <= t { next }
            $2 ~ /^.space/ { if (!echo) echo = $1; next }
            /^[0-9.]+ .(not )?selected.\{/ { next }
            { from = echo ? echo : t; d = $1 - from; $1 = ""; printf "%.3f%s\n", d, $0; exit }' ||
            true) # awk's early exit leaves the log's readers a broken pipe
        if [ -n "$line" ]; then
            echo "$line"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

for _ in $(seq 900); do
    grep -qs "Screen reader on" "$work/orca.log" && break
    sleep 0.1
done
questions=$work/questions.txt results=$work/results.txt
: >"$questions"
: >"$results"
for pass in $(seq "$passes"); do
    "$program" >/dev/null 2>&1 &
    pid=$!
    wait_for_window "$pid" '.' >/dev/null
    # The window has been read, the focus on answer 1.
    heard_after 0 >/dev/null
    sleep 1
    # A new question is spoken as a label; anything else is the result.
    for _ in $(seq 100); do
        t=$(now)
        xdotool key space
        heard=$(heard_after "$t") || heard="20.000 (nothing)"
        if grep -q " label\.'" <<<"$heard"; then
            echo "$heard" >>"$questions"
        else
            echo "$heard" >>"$results"
            break
        fi
        # Orca done with this question before the next key.
        sleep 0.5
    done
    echo "orca_latency: pass $pass of $passes done" >&2
    kill "$pid" 2>/dev/null || echo "orca_latency: the program had ended during pass $pass" >&2
    wait "$pid" 2>/dev/null || true
    pid=""
done

summary() {
    sort -n "$2" | awk -v label="$1" '
        { d[NR] = $1; if ($1 > 0.2) over++ }
        END {
            if (NR == 0) { printf "%-9s no samples\n", label; exit }
            m = NR % 2 ? d[(NR + 1) / 2] : (d[NR / 2] + d[NR / 2 + 1]) / 2
            printf "%-9s n=%d  min %.3f s  median %.3f s  max %.3f s  over 0.2 s: %d (%.0f%%)\n",
                label, NR, d[1], m, d[NR], over, 100 * over / NR
        }'
}
summary questions "$questions"
summary results "$results"
[ -z "${ORCA_LATENCY_VERBOSE:-}" ] || cat "$questions" "$results"
