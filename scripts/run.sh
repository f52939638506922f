#!/usr/bin/env bash
# Installs what is missing, builds Kinsight and starts it on the bundled quiz
# (or on the quiz folder or file given). Without a display, it starts Kinsight
# on a virtual screen instead, saves its first question as
# build/first-run.png, says where, and ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/x_session.sh
source scripts/x_session.sh

fail() {
    echo "run.sh: $*" >&2
    exit 1
}

# On the virtual screen (DISPLAY set by with-xvfb.sh): waits for the main
# window, takes its picture and ends the program.
first_run() {
    unset QT_QPA_PLATFORM
    local shot=$PWD/build/first-run.png window
    log=$(mktemp)
    rm -f "$shot"
    build/bin/kinsight "$@" 2>"$log" &
    pid=$!
    trap 'kill "$pid" 2>/dev/null; rm -f "$log"' EXIT
    if ! window=$(wait_for_window "$pid" ''); then
        kill -0 "$pid" 2>/dev/null && fail "Kinsight showed no window within 15 seconds"
        local status=0
        wait "$pid" || status=$?
        fail "Kinsight ended with status $status before its window opened: $(cat "$log")"
    fi
    # A quiz that cannot be played shows only its report, titled so.
    if [ "$(xdotool getwindowname "$window")" = Kinsight ]; then
        # The report goes to the error stream as the box comes up.
        for _ in $(seq 50); do
            grep -qv '^QStandardPaths' "$log" && break
            sleep 0.1
        done
        fail "Kinsight cannot play the quiz: $(grep -v '^QStandardPaths' "$log")"
    fi
    # Painted: more than one colour in the window.
    for _ in $(seq 50); do
        [ "$(import -window "$window" -format %k info: 2>/dev/null || echo 0)" -gt 1 ] && break
        sleep 0.1
    done
    import -window "$window" "$shot" 2>>"$log" ||
        fail "could not take the screenshot: $(cat "$log")"
    echo "run.sh: Kinsight opened \"$(xdotool getwindowname "$window")\";" \
        "its first question is in $shot"
}

if [ "${1:-}" = --first-run-inside ]; then
    shift
    first_run "$@"
    exit 0
fi

display=${DISPLAY:-}${WAYLAND_DISPLAY:-}
if [ -n "$display" ]; then
    bash scripts/setup.sh
else
    bash scripts/setup.sh --headless
fi
echo "run.sh: building Kinsight in build/ (a few minutes the first time; the lines go to" \
    "build/run-build.log)"
mkdir -p build
log=build/run-build.log
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINSIGHT_GUI=ON >"$log" 2>&1 ||
    { tail -n 40 "$log" >&2; fail "configuring failed: the lines above say why (all in $log)"; }
cmake --build build -j"$(nproc)" --target kinsight >>"$log" 2>&1 ||
    { tail -n 40 "$log" >&2; fail "building failed: the lines above say why (all in $log)"; }

if [ -n "$display" ]; then
    exec build/bin/kinsight "$@"
fi
echo "run.sh: no display, so Kinsight starts on a virtual screen"
exec bash scripts/with-xvfb.sh bash "$0" --first-run-inside "$@"
