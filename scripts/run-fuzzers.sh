#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for the given seconds (default 20) on a copy of its
# seed corpus (fuzz/corpus/<name> and the seeds the build packs). Longer runs, with a corpus kept
# between them and a table of figures: scripts/fuzz-long.sh
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
status=0
for source in fuzz/*.cpp; do
  [ -e "$source" ] || continue
  name="$(basename "$source" .cpp)"
  work="$PWD/build/fuzz/corpus-work/$name"
  mkdir -p "$work"
  for seeds in "fuzz/corpus/$name" "build/fuzz/fuzz/seed/$name"; do
    [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  done
  echo "== $name ($seconds s)"
  if ! "build/fuzz/fuzz/$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
       -artifact_prefix="$PWD/build/fuzz/$name-" "$work" 2>"build/fuzz/$name.log"; then
    tail -40 "build/fuzz/$name.log"
    status=1
  fi
  grep -E '^#[0-9]+ *DONE' "build/fuzz/$name.log" || tail -1 "build/fuzz/$name.log"
done
exit $status
