#!/usr/bin/env bash
# The long runs, outside the test suite, with their figures: the monkey for 10^5 steps
# and 10^4 whole games at full speed, 10^5 store files under which the program starts,
# plays, saves and stores, the fuzzer of the stored values, two programs on one store,
# and valgrind on a scripted session. Each run prints its seed; the same seed in
# ROLVAN_MONKEY_SEED or ROLVAN_STORE_SEED replays it.
#
#   bash tools/reliability.sh [BUILD_DIR]     (default build/, as tools/build.sh test makes it)
#
# STEPS, GAMES, FILES, FUZZ_RUNS and INSTANCE_STEPS change the sizes.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
tests="$build/tests/rolvan_ui_tests"
export QT_QPA_PLATFORM=offscreen
# The store files go to memory where it can: every write of the store reaches the disk.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/rolvan.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

figures() {
  local started=$SECONDS
  "$tests" --gtest_filter="$1" 2>&1 |
    grep -E '^(monkey|games|store files|two instances|slow start)|FAILED|Failure|ERROR' || true
  echo "  ($(( SECONDS - started )) s)"
}

ROLVAN_MONKEY_STEPS=${STEPS:-100000} figures 'MonkeyTest.EveryStep*'
ROLVAN_MONKEY_GAMES=${GAMES:-10000} figures 'MonkeyTest.WholeGames*'
ROLVAN_STORE_FILES=${FILES:-100000} figures 'StoreFiles.*'
ROLVAN_INSTANCE_STEPS=${INSTANCE_STEPS:-1000} figures 'TwoInstances.Two*'
bash "$here/tests/fuzz/run.sh" "$build/tests/stored_values_fuzz" "${FUZZ_RUNS:-200000}" 2>&1 |
  grep -E '^(stat::|Done|==.*ERROR)|SKIPPED|crash-' || true
bash "$here/tools/valgrind.sh" "$build" 2>&1 | grep -E 'ERROR SUMMARY|definitely lost|PASSED|FAILED'
