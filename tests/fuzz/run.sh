#!/usr/bin/env bash
# Runs the fuzzer of the stored values for a number of inputs, from the seed corpus beside
# this script; new inputs go to a folder of the run's own.
#
#   run.sh FUZZER RUNS [more libFuzzer options]
#
# Exits 77 (skipped) when the fuzzer could not be built for want of clang.
set -euo pipefail
fuzzer=$1
runs=$2
shift 2
if [ -z "$fuzzer" ] || [ ! -x "$fuzzer" ]; then
  echo "SKIPPED: the fuzzer needs clang and its fuzzer runtime (Debian packages clang and libclang-rt-14-dev)"
  exit 77
fi
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
# A crash exits 1: libFuzzer's own 77 would read as skipped.
"$fuzzer" -runs="$runs" -max_len=65536 -timeout=10 -error_exitcode=1 -print_final_stats=1 "$@" \
  "$found" "$(dirname "$0")/corpus"
