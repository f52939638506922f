# Sourced by the scripts that run a long build in the background.

# PID LOG WHO: until PID ends, every 15 s, WHO says the last step of
# Ninja's counter in LOG.
show_progress() {
    local pid=$1 log=$2 who=$3 step
    while kill -0 "$pid" 2>/dev/null; do
        for _ in $(seq 150); do
            kill -0 "$pid" 2>/dev/null || return 0
            sleep 0.1
        done
        step=$(grep -ao '^\[[0-9]*/[0-9]*\]' "$log" | tail -n 1 || true)
        echo "$who: building, step ${step:-(configuring)}"
    done
}

# PID LOG WHO WHAT: shows the progress of the build PID, then, if it
# failed, the end of LOG and that WHAT failed, and ends the script.
wait_for_build() {
    local pid=$1 log=$2 who=$3 what=$4
    show_progress "$pid" "$log" "$who"
    if ! wait "$pid"; then
        tail -n 40 "$log" >&2
        echo "$who: $what failed: the lines above say why (all in $log)" >&2
        exit 1
    fi
}
