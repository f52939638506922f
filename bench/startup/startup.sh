#!/usr/bin/env bash
# Time from process start to the first mapped main window: the program on its
# bundled quiz against a bare Qt window with the same controls, started in
# turn in the same virtual X server, timed from outside by
# kinsight_startup_timer. One unrecorded start of each warms the file cache.
#
#   startup.sh [--runs N] BUILD_DIR
#
# BUILD_DIR is a build with KINSIGHT_BENCH=ON (Release for meaningful figures).
set -euo pipefail

runs=20
inside=0
while [ $# -gt 1 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --inside-xvfb) inside=1; shift ;;
    *) break ;;
    esac
done
if [ $# -ne 1 ] || ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: startup.sh [--runs N] BUILD_DIR" >&2
    exit 2
fi
build=$(realpath "$1")
program=$build/bin/kinsight
bare=$build/bench/startup/kinsight_bare_window
timer=$build/bench/startup/kinsight_startup_timer
for file in "$program" "$bare" "$timer"; do
    if [ ! -x "$file" ]; then
        echo "missing $file: build with -DKINSIGHT_BENCH=ON" >&2
        exit 2
    fi
done

if [ $inside -eq 0 ]; then
    exec "$(dirname "$0")/../../scripts/with-xvfb.sh" "$0" --inside-xvfb --runs "$runs" "$build"
fi
unset QT_QPA_PLATFORM

# Median and 90th percentile (nearest rank) of the numbers on standard input.
summary() {
    sort -n | awk '{v[NR] = $1} END {
        n = NR; p = int(0.9 * n); if (p < 0.9 * n) p++
        median = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        printf "%.1f %.1f %.1f %.1f\n", median, v[p], v[1], v[n]
    }'
}

work=$(mktemp -d "${TMPDIR:-/tmp}/kinsight-startup-XXXXXX")
trap 'rm -rf "$work"' EXIT
# As a desktop session provides it; Qt warns on every start without it.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$timer" "$program" >/dev/null && "$timer" "$bare" >/dev/null || {
    echo "a warm-up start failed" >&2
    exit 1
}
for ((i = 1; i <= runs; i++)); do
    # Alternating which goes first spreads any drift of the machine evenly.
    if [ $((i % 2)) -eq 1 ]; then order="program bare"; else order="bare program"; fi
    for who in $order; do
        target=$program
        [ "$who" = bare ] && target=$bare
        if ! "$timer" "$target" >>"$work/$who"; then
            echo "start $i of $who failed" >&2
            exit 1
        fi
    done
done

read -r p_median p_p90 p_min p_max < <(summary <"$work/program")
read -r b_median b_p90 b_min b_max < <(summary <"$work/bare")
echo "start to mapped main window, $runs starts each (ms):"
printf '%-22s %8s %8s %8s %8s\n' "" median p90 min max
printf '%-22s %8s %8s %8s %8s\n' "kinsight" "$p_median" "$p_p90" "$p_min" "$p_max"
printf '%-22s %8s %8s %8s %8s\n' "bare Qt window" "$b_median" "$b_p90" "$b_min" "$b_max"
awk -v a="$p_median" -v b="$b_median" -v c="$p_p90" -v d="$b_p90" \
    'BEGIN {printf "%-22s %8.1f %8.1f\n", "difference", a - b, c - d}'
