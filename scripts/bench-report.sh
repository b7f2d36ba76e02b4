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
cmake --build --preset release -j2 --target create_bench generate_dataset kestrin
DATA="build/dataset-$SCALE"
if [ "$(cat "$DATA/dataset.txt" 2> /dev/null)" != "scale $SCALE" ]; then
  rm -rf "$DATA"
  build/release/bench/generate_dataset "$DATA" "$SCALE"
fi
KESTRIN_BENCH_DATA="$DATA" build/release/bench/create_bench \
  --benchmark_repetitions="$REPETITIONS" --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 --benchmark_color=false

# kestrin check on the same set against the module's Create in the same run: the whole check's
# time and the process's peak resident size, each as a multiple of Create's (targets: 3x, 1.5x).
build/release/tools/kestrin check --format json "$DATA" > "build/check-$SCALE.json" || true
field() { sed -n "s/^  \"$1\": \([0-9.e+-]*\).*/\1/p" "build/check-$SCALE.json"; }
awk -v create="$(field seconds)" -v check="$(field check_seconds)" \
    -v createKb="$(field create_peak_kb)" -v checkKb="$(field check_peak_kb)" 'BEGIN {
  printf "\nkestrin check, scale '"$SCALE"': Create %.3f s, check %.3f s (%.2fx, target 3x); ", create, check, check / create
  printf "peak %.1f MB after Create, %.1f MB after the check (%.2fx, target 1.5x)\n", createKb / 1024, checkKb / 1024, checkKb / createKb
}'
