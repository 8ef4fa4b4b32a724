#!/usr/bin/env bash
# Builds the benchmarks, makes the large database once (kept in the build folder, made again
# when its generator changes), runs every case on the demo and the large database and writes
# the JSON result to bench/results/.
#
#   scripts/run-bench.sh [BUILD_DIR]          (default build/default, as `make bench` passes)
#
# XFER_BENCH_REPETITIONS (default 9) and XFER_BENCH_FILTER (a regular expression over the case
# names) change what runs. Run it on a quiet machine: other work in the background moves the
# figures more than anything the editor does.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build/default}"
[[ "$build" = /* ]] || build="$root/$build"
repetitions="${XFER_BENCH_REPETITIONS:-9}"
filter="${XFER_BENCH_FILTER:-.}"

cmake --build "$build" --target xfer_bench xfer_make_large_db
# The desktop window's cases need Qt; they run when the build has the desktop editor.
desktop_bench=""
if cmake --build "$build" --target xfer_desktop_bench >/dev/null 2>&1; then
    desktop_bench="$build/bench/xfer_desktop_bench"
fi

bin="$build/bench"
work="$build/bench-work"
large="$work/large.mdb"
mkdir -p "$work" "$root/bench/results"
if [ ! -f "$large" ] || [ "$bin/xfer_make_large_db" -nt "$large" ]; then
    rm -f "$large"
    "$bin/xfer_make_large_db" "$large"
fi

out="$root/bench/results/xfer_bench-$(date -u +%Y%m%dT%H%M%SZ).json"
"$bin/xfer_bench" --work="$work" --large="$large" \
    --benchmark_filter="$filter" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_display_aggregates_only=true \
    --benchmark_out="$out" --benchmark_out_format=json

if [ -n "$desktop_bench" ]; then
    QT_QPA_PLATFORM=offscreen "$desktop_bench" --work="$work" --large="$large" \
        --benchmark_filter="$filter" \
        --benchmark_repetitions="$repetitions" \
        --benchmark_display_aggregates_only=true \
        --benchmark_out="${out%.json}-desktop.json" --benchmark_out_format=json
fi

echo
echo "Medians of $repetitions repetitions, written to ${out#"$root"/}:"
if command -v jq >/dev/null; then
    jq -r '.benchmarks[] | select(.aggregate_name == "median")
        | [.run_name, "\(.real_time * 1000 | round / 1000) \(.time_unit)",
           (if .ratio then "ratio \(.ratio * 100 | round / 100)" else "" end),
           (if .peak_over_baseline_MB then "peak \(.peak_over_baseline_MB * 10 | round / 10) MB over baseline" else "" end)]
        | @tsv' "$out" | if command -v column >/dev/null; then column -t -s $'\t'; else cat; fi
else
    echo "(install jq for a summary; the console output above has the same figures)"
fi
