#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build (cmake --preset fuzz) for SECONDS each, from its seed
# corpus in fuzz/corpus/<target>/, and prints per target the inputs executed and the findings.
# New inputs go to BUILD_DIR/fuzz-work/corpus (the seeds in the repository stay as they are),
# findings to BUILD_DIR/fuzz-work/findings/<target>/. Exit status 1 when a target found
# anything.
#   scripts/run-fuzz.sh [BUILD_DIR] [SECONDS]      (defaults: build/fuzz 180)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/fuzz}" && pwd)
seconds=${2:-180}
work=$build/fuzz-work
status=0
printf '%-22s %10s %8s %8s  %s\n' target executions exec/s findings result
for seeds in "$root"/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    corpus=$work/corpus/$target
    findings=$work/findings/$target
    log=$work/$target.log
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 -print_final_stats=1
             -artifact_prefix="$findings/")
    # The registry reader's limits (512 levels, 64 KiB lines) are only reached by long inputs.
    [ "$target" = reg_file_fuzz ] && options+=(-max_len=131072)
    "$build/fuzz/$target" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1
    rc=$?
    executions=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log" | tail -1)
    rate=$(sed -nE 's/^stat::average_exec_per_sec: *([0-9]+)/\1/p' "$log" | tail -1)
    found=$(find "$findings" -type f | wc -l)
    result=clean
    if [ $rc -ne 0 ] || [ "$found" -ne 0 ]; then
        result="FOUND (exit $rc): see $log"
        status=1
    fi
    printf '%-22s %10s %8s %8s  %s\n' "$target" "${executions:-?}" "${rate:-?}" "$found" "$result"
done
exit $status
