#!/usr/bin/env bash
# Runs the module under valgrind's memcheck: the long-use sessions over the example data set
# (default 1000; scripts/memcheck.sh 100 for a shorter run), the fault cases, the kestrin tool's
# check of the example data, and the whole-module fuzz target's inputs without the fuzzer (its
# committed inputs and packed seed, and the corpus folders MEMCHECK_CORPUS names, e.g.
# MEMCHECK_CORPUS=build/fuzz/corpus-long/module_fuzz). Fails on any invalid access, any use of
# an uninitialised value and any block that is definitely or indirectly lost; prints how long
# each part took.
set -euo pipefail
cd "$(dirname "$0")/.."
sessions="${1:-1000}"
command -v valgrind >/dev/null || { echo "memcheck.sh: valgrind is not installed" >&2; exit 2; }

cmake --preset dev >/dev/null
cmake --build --preset dev -j2 >/dev/null

VALGRIND=(valgrind --tool=memcheck --quiet --error-exitcode=1 --leak-check=full
          --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect
          --track-origins=yes)
status=0
run() {
  local name="$1"
  shift
  local start=$SECONDS
  echo "== $name"
  if ! "${VALGRIND[@]}" "$@"; then
    echo "memcheck.sh: $name FAILED" >&2
    status=1
  fi
  echo "== $name: $((SECONDS - start)) s"
}

KESTRIN_LONG_USE_SESSIONS="$sessions" run "long use, $sessions sessions" \
  build/dev/bench/kestrin_soak --gtest_brief=1 --gtest_filter='LongUseTest.*'
run "faults" build/dev/tests/kestrin_tests --gtest_brief=1 \
  --gtest_filter='FaultTest.*:TableFiles/TableFileFaultTest.*'
run "kestrin check examples/data" build/dev/tools/kestrin check examples/data
if [ -x build/dev/fuzz/seed/module_fuzz_replay ]; then
  # shellcheck disable=SC2086  # MEMCHECK_CORPUS is a list of folders
  run "module_fuzz inputs" build/dev/fuzz/seed/module_fuzz_replay fuzz/corpus/module_fuzz \
    build/dev/fuzz/seed/module_fuzz ${MEMCHECK_CORPUS:-}
fi
exit $status
