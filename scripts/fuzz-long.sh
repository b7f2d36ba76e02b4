#!/usr/bin/env bash
# Long fuzzing: every target of the fuzz build (or the ones named), one after the other, for the
# given seconds each (default 3600), on a corpus that is kept between runs in
# build/fuzz/corpus-long/<name> and seeded from fuzz/corpus/<name> and the build's packed seeds.
# A target that finds a crash is started again for the rest of its time; each crashing input is
# kept in build/fuzz/findings/. Then the corpus is merged down to the inputs that still add
# coverage. At the end a table gives, per target, the seconds run, the inputs executed, the
# merged corpus (files and bytes) and the findings, and the totals.
#
#   cmake --preset fuzz && cmake --build --preset fuzz -j2
#   scripts/fuzz-long.sh 3600                 # an hour per target
#   scripts/fuzz-long.sh 600 module_fuzz      # ten minutes of one target
#
# FUZZ_MAX_LEN (default 16384) bounds the input size; FUZZ_SUMMARY names the summary file.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-3600}"
shift || true
max_len="${FUZZ_MAX_LEN:-16384}"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
mkdir -p build/fuzz/findings build/fuzz/logs
summary="${FUZZ_SUMMARY:-build/fuzz/fuzz-long-summary.txt}"  # two runs at once: one each
printf '%-22s %8s %12s %10s %12s %9s\n' target seconds executions "corpus" "corpus KB" findings \
  >"$summary"
total_runs=0
total_files=0
total_findings=0
for name in "${targets[@]}"; do
  binary="$PWD/build/fuzz/fuzz/$name"  # the merge starts it again from the target's own folder
  [ -x "$binary" ] || { echo "fuzz-long.sh: no $binary; build the fuzz preset first" >&2; exit 2; }
  corpus="$PWD/build/fuzz/corpus-long/$name"  # absolute: some targets work in a folder of their own
  mkdir -p "$corpus"
  for seeds in "fuzz/corpus/$name" "build/fuzz/fuzz/seed/$name"; do
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  done
  runs=0
  findings=0
  start=$SECONDS
  while :; do
    left=$((seconds - (SECONDS - start)))
    [ "$left" -gt 0 ] || break
    log="build/fuzz/logs/$name-$((SECONDS)).log"
    echo "== $name: $left s"
    if "$binary" -max_total_time="$left" -max_len="$max_len" -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$PWD/build/fuzz/findings/$name-" "$corpus" \
        >"$log" 2>&1; then
      crashed=0
    else
      crashed=1
      findings=$((findings + 1))
      grep -m1 -E 'ERROR|runtime error|deadly signal|Test unit written' "$log" || tail -5 "$log"
    fi
    executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    if [ -z "$executed" ]; then  # a crash: the last status line tells how far it got
      executed=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
    fi
    runs=$((runs + ${executed:-0}))
    [ "$crashed" -eq 1 ] || break
  done
  merged="$corpus.merged"
  rm -rf "$merged"
  mkdir -p "$merged"
  if "$binary" -merge=1 -max_len="$max_len" -rss_limit_mb=2048 "$merged" "$corpus" \
      >"build/fuzz/logs/$name-merge.log" 2>&1 && [ -n "$(ls -A "$merged")" ]; then
    rm -rf "$corpus"
    mv "$merged" "$corpus"
  else
    rm -rf "$merged"
  fi
  files=$(find "$corpus" -type f | wc -l)
  kilobytes=$(find "$corpus" -type f -printf '%s\n' | awk '{ n += $1 } END { print int(n / 1024) }')
  printf '%-22s %8d %12d %10d %12d %9d\n' "$name" "$((SECONDS - start))" "$runs" "$files" \
    "$kilobytes" "$findings" >>"$summary"
  total_runs=$((total_runs + runs))
  total_files=$((total_files + files))
  total_findings=$((total_findings + findings))
done
printf '%-22s %8s %12d %10d %12s %9d\n' total "" "$total_runs" "$total_files" "" \
  "$total_findings" >>"$summary"
cat "$summary"
[ "$total_findings" -eq 0 ]
