#!/usr/bin/env bash
# The house style: every C++ file of the program, its tests and benchmarks as the
# project's .clang-format lays it out, by Debian 12's clang-format 14. Another version
# formats some constructs differently, so the check runs with 14 alone and skips (77),
# saying why, where that is not installed (Debian 13 and later do not have it).
#
#   bash tests/format/check.sh SOURCE_DIR          check
#   bash tests/format/check.sh SOURCE_DIR --fix    format in place
set -uo pipefail
top=$1
if ! format=$(command -v clang-format-14); then
  echo "SKIPPED: the house style is clang-format 14's layout and clang-format-14 is not"
  echo "installed here (Debian 12 has it; other versions lay out some constructs differently)"
  exit 77
fi
cd "$top" || exit 1
mapfile -t files < <(find ai analyse bench editor game render res shell tests \
                       -name '*.cpp' -o -name '*.h' | sort)
if [ "${2:-}" = --fix ]; then
  exec "$format" -i "${files[@]}"
fi
# One run over all files: starting clang-format once a file takes minutes on a busy machine.
report=$("$format" --dry-run -Werror "${files[@]}" 2>&1) && status=0 || status=$?
mapfile -t bad < <(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error:.*/\1/p' <<<"$report" | sort -u)
if [ "$status" -ne 0 ] && [ ${#bad[@]} -eq 0 ]; then
  printf 'clang-format-14 failed:\n%s\n' "$report"
  exit 1
fi
if [ ${#bad[@]} -gt 0 ]; then
  printf 'Not in the house style (bash tests/format/check.sh . --fix formats them):\n'
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "${#files[@]} files in the house style"
