#!/usr/bin/env bash
# The performance report in one command: builds the release preset, generates the data set of
# the scale (50 unless given) under build/ once, runs the load and query benchmark with
# repetitions and prints its closing report (the table of figures against their targets).
#
#   scripts/bench-report.sh            scale 50, a few hundred megabytes
#   scripts/bench-report.sh 1          scale 1, a few megabytes: a quick look
set -euo pipefail
cd "$(dirname "$0")/.."
SCALE="${1:-50}"
REPETITIONS="${KESTRIN_BENCH_REPETITIONS:-5}"
cmake --preset release > /dev/null
cmake --build --preset release -j2 --target create_bench generate_dataset
DATA="build/dataset-$SCALE"
if [ "$(cat "$DATA/dataset.txt" 2> /dev/null)" != "scale $SCALE" ]; then
  rm -rf "$DATA"
  build/release/bench/generate_dataset "$DATA" "$SCALE"
fi
KESTRIN_BENCH_DATA="$DATA" build/release/bench/create_bench \
  --benchmark_repetitions="$REPETITIONS" --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 --benchmark_color=false
