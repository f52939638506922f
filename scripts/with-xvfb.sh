#!/usr/bin/env bash
# Runs a command on a virtual X server of its own and waits for it:
#
#   with-xvfb.sh [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT...]
#
# The server picks a free display number itself, so several can start at
# once, and the command starts only when the server takes connections, with
# DISPLAY naming it (and no Wayland display). The server ends with the
# command, whose exit status this passes on.
set -euo pipefail

screen=1024x768x24
if [ "${1:-}" = --screen ]; then
    screen=$2
    shift 2
fi
if [ $# -eq 0 ]; then
    echo "usage: with-xvfb.sh [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT...]" >&2
    exit 2
fi
if ! command -v Xvfb >/dev/null; then
    echo "with-xvfb.sh: Xvfb is not installed; bash scripts/setup.sh --headless installs it" >&2
    exit 127
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kinsight-xvfb-XXXXXX")
server=
child=
stop_server() {
    [ -n "$child" ] && kill "$child" 2>/dev/null
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
        server=
    fi
    rm -rf "$work"
}
trap stop_server EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

# -displayfd: the server writes its display number once it takes
# connections. -noreset: it would otherwise reset whenever its last client
# leaves, refusing a program that connects meanwhile.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/server.log" &
server=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    if ! kill -0 "$server" 2>/dev/null; then
        echo "with-xvfb.sh: Xvfb did not start: $(cat "$work/server.log")" >&2
        exit 1
    fi
    sleep 0.05
done
if ! [ -s "$work/display" ]; then
    echo "with-xvfb.sh: Xvfb took no connections within 10 seconds" >&2
    exit 1
fi

export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY
# As a desktop session provides it; Qt warns on every start without it.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || ! [ -w "${XDG_RUNTIME_DIR}" ]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
# In the background, so that a signal to this script reaches the trap at
# once and ends the command with the server; stdin stays the command's.
"$@" <&0 &
child=$!
status=0
wait "$child" || status=$?
child=
exit $status
