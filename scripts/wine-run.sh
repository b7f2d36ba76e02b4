#!/usr/bin/env bash
# Runs a Windows program under Wine, headless and quiet, in the project's own Wine prefix
# (build/wineprefix unless WINEPREFIX is set). The first run creates the prefix, once, under a
# lock, so that parallel test runs share it. The Windows test builds use this as their emulator.
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
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
