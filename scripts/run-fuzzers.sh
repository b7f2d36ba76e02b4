#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for the given seconds (default 20) on a copy of its
# seed corpus. Longer runs: scripts/run-fuzzers.sh 600
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
status=0
for source in fuzz/*.cpp; do
  [ -e "$source" ] || continue
  name="$(basename "$source" .cpp)"
  work="$PWD/build/fuzz/corpus-work/$name"
  mkdir -p "$work"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  echo "== $name ($seconds s)"
  if ! "build/fuzz/fuzz/$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
       -artifact_prefix="$PWD/build/fuzz/$name-" "$work" 2>"build/fuzz/$name.log"; then
    tail -40 "build/fuzz/$name.log"
    status=1
  fi
  grep -E '^#[0-9]+ *DONE' "build/fuzz/$name.log" || tail -1 "build/fuzz/$name.log"
done
exit $status
