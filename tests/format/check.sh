#!/usr/bin/env bash
# The house style: every C++ file of the program, its tests and benchmarks as the
# project's .clang-format lays it out, by Debian 12's clang-format 14 (another version
# formats some constructs differently). Skips (77) without it.
#
#   bash tests/format/check.sh SOURCE_DIR          check
#   bash tests/format/check.sh SOURCE_DIR --fix    format in place
set -uo pipefail
top=$1
format=$(command -v clang-format-14) || { echo "clang-format-14 is not installed; skipped"; exit 77; }
cd "$top" || exit 1
mapfile -t files < <(find ai bench editor game render res shell tests \
                       -name '*.cpp' -o -name '*.h' | sort)
if [ "${2:-}" = --fix ]; then
  exec "$format" -i "${files[@]}"
fi
bad=()
for f in "${files[@]}"; do
  "$format" --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'Not in the house style (bash tests/format/check.sh . --fix formats them):\n'
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "${#files[@]} files in the house style"
