#!/usr/bin/env bash
# Runs a Windows program under Wine, headless and quiet, in the project's own Wine prefix
# (build/wineprefix unless WINEPREFIX is set). The first run creates the prefix, once, under a
# lock, so that parallel test runs share it; Wine's own processes never inherit the lock.
# The Windows test builds use this as their emulator.
#   scripts/wine-run.sh build/win64/bin/kestrin_tests.exe --gtest_brief=1
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"  # no Mono or Gecko prompts
export WINEARCH="${WINEARCH:-win64}"
unset DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot --init >/dev/null 2>&1 9>&- || true
      wineserver --wait 9>&- || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# One Wine server for a whole test run, kept a minute after its last program exits: a program
# then starts in a tenth of a second instead of seconds. Started under the lock so that
# parallel runs agree on one (it answers 2 when one is running). A new server's first program
# also starts Wine's background services, which outlive it holding its output open: a program
# of our own with no output takes that part, or the caller would wait for those services.
(
  flock 9
  if wineserver -p60 >/dev/null 2>&1 9>&-; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"

# Now and then (seen once in hundreds of runs, on a fresh prefix) wine exits non-zero in a
# hundredth of a second having run nothing: no output at all, where every program of ours
# writes something before it can fail. Such a launch is tried once more and noted in
# $WINEPREFIX.retries, which the Windows build prints; a program that fails twice fails.
out="$(mktemp)"
err="$(mktemp)"
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  rc=0
  wine "$@" >"$out" 2>"$err" || rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$attempt" -eq 2 ]; then break; fi
  echo "$(date -u +%FT%TZ) wine exited $rc with no output, tried again: $*" >>"$WINEPREFIX.retries"
done
cat "$out"
cat "$err" >&2
exit "$rc"
