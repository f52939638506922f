# Sourced by the scripts that run a long build in the background: until PID
# ends, every 15 s, WHO says the last step of Ninja's counter in LOG.
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
