#!/usr/bin/env bash
# Peak memory and speed of the dry run over generated quizzes of growing size:
# the dry run alone (kinsight_dry_run, the program's start-up check) and the
# authors' checker built on it (kinsight-check --quiet).
#
# A pass holds the whole file once, as UTF-8, and one question at a time,
# so the dry run's peak may grow with the file by no more than the file.
# The checker also keeps up to 20,000 questions for its exact search of who
# can win and then drops them, so its peak grows up to that store and then
# by the file alone: it is compared between the two largest sizes. Last, a
# quiz whose every field is as long as a field may be (64 KiB).
#
#   peak_memory.sh [--sizes "1 10 100"] [--runs N] BUILD_DIR
#
# BUILD_DIR is a build with KINSIGHT_BENCH=ON (Release for meaningful
# figures). Needs GNU time (/usr/bin/time, Debian package "time") and
# python3. Exit status 1 if a generated quiz fails or a peak grows.
set -euo pipefail

sizes="1 10 100"
runs=3
while [ $# -gt 1 ]; do
    case $1 in
    --sizes) sizes=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) break ;;
    esac
done
if [ $# -ne 1 ] || ! [[ $runs =~ ^[1-9][0-9]*$ ]] || [ "$(wc -w <<<"$sizes")" -lt 2 ]; then
    echo "usage: peak_memory.sh [--sizes \"1 10 100\" (two or more)] [--runs N] BUILD_DIR" >&2
    exit 2
fi
build=$(realpath "$1")
dry_run=$build/bench/memory/kinsight_dry_run
checker=$build/bin/kinsight-check
here=$(cd "$(dirname "$0")" && pwd)
for file in "$dry_run" "$checker"; do
    if [ ! -x "$file" ]; then
        echo "missing $file: build with -DKINSIGHT_BENCH=ON" >&2
        exit 2
    fi
done
if [ ! -x /usr/bin/time ]; then
    echo "GNU time is missing: apt-get install time" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kinsight-memory-XXXXXX")
trap 'rm -rf "$work"' EXIT

# measure PROGRAM ARGS...: the largest peak RSS (kB) and the best wall time
# (s) over the runs, as "kB seconds"; fails if the program does.
measure() {
    local peak=0 best= i started seconds kb
    for ((i = 1; i <= runs; i++)); do
        started=$EPOCHREALTIME
        if ! /usr/bin/time -f '%M' -o "$work/time" "$@" >"$work/out"; then
            echo "$(basename "$1") failed on $quiz: $(head -n 3 "$work/out")" >&2
            return 1
        fi
        seconds=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN {printf "%.4f", b - a}')
        kb=$(tail -n 1 "$work/time")
        [ "$kb" -gt "$peak" ] && peak=$kb
        if [ -z "$best" ] || awk -v s="$seconds" -v b="$best" 'BEGIN {exit !(s < b)}'; then
            best=$seconds
        fi
    done
    echo "$peak $best"
}

printf '%8s %10s | %-24s | %-24s\n' "" "" "dry run" "kinsight-check --quiet"
printf '%8s %10s | %10s %6s %6s | %10s %6s %6s\n' "size MB" questions "peak MB" "s" "MB/s" \
    "peak MB" "s" "MB/s"
dry_peaks=()
check_peaks=()
file_kb=()
for size in $sizes; do
    quiz=$work/quiz-$size.txt
    python3 "$here/make_quiz.py" "$size" "$quiz" || exit 1
    bytes=$(stat -c %s "$quiz")
    questions=$("$dry_run" "$quiz" | sed -n 's/^\([0-9]*\) questions$/\1/p') || questions=
    [ -n "$questions" ] || { echo "the generated $size MB quiz does not pass" >&2; exit 1; }
    read -r dry_kb dry_s < <(measure "$dry_run" "$quiz") || exit 1
    read -r check_kb check_s < <(measure "$checker" --quiet "$quiz") || exit 1
    [ -n "$dry_kb" ] && [ -n "$check_kb" ] || exit 1
    awk -v size="$size" -v bytes="$bytes" -v q="$questions" -v dk="$dry_kb" -v ds="$dry_s" \
        -v ck="$check_kb" -v cs="$check_s" 'BEGIN {
            printf "%8s %10s | %10.1f %6.3f %6.1f | %10.1f %6.3f %6.1f\n", size, q,
                dk / 1024, ds, bytes / 1e6 / ds, ck / 1024, cs, bytes / 1e6 / cs }'
    dry_peaks+=("$dry_kb")
    check_peaks+=("$check_kb")
    file_kb+=($((bytes / 1024)))
    rm -f "$quiz"
done

quiz=$work/largest-fields.txt
python3 "$here/make_quiz.py" --largest-fields "$quiz"
read -r dry_kb dry_s < <(measure "$dry_run" "$quiz") || exit 1
read -r check_kb check_s < <(measure "$checker" --quiet "$quiz") || exit 1
awk -v bytes="$(stat -c %s "$quiz")" -v dk="$dry_kb" -v ds="$dry_s" -v ck="$check_kb" \
    -v cs="$check_s" 'BEGIN {
        printf "%8.1f %10s | %10.1f %6.3f %6.1f | %10.1f %6.3f %6.1f\n", bytes / 1e6,
            "64 KiB", dk / 1024, ds, bytes / 1e6 / ds, ck / 1024, cs, bytes / 1e6 / cs }'

# grows LABEL FROM_KB TO_KB FILE_FROM_KB FILE_TO_KB: fails if the peak grew
# by more than the file did, with a quarter to spare.
status=0
grows() {
    if [ $(($3 - $2)) -gt $((($5 - $4) * 5 / 4 + 1024)) ]; then
        echo "FAIL: the $1's peak grows faster than the file ($2 kB -> $3 kB)"
        status=1
    fi
}
grows "dry run" "${dry_peaks[0]}" "${dry_peaks[-1]}" "${file_kb[0]}" "${file_kb[-1]}"
grows checker "${check_peaks[-2]}" "${check_peaks[-1]}" "${file_kb[-2]}" "${file_kb[-1]}"
[ $status -eq 0 ] && echo "peaks grow with the file alone: dry run ${dry_peaks[0]} ->" \
    "${dry_peaks[-1]} kB, checker ${check_peaks[-2]} -> ${check_peaks[-1]} kB"
exit $status
