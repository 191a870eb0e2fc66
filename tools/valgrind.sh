#!/usr/bin/env bash
# Valgrind's memcheck on a session of the real program: a start, three games, every dialog
# and the colour picker answered through the modal seam, the editor, a grid size change
# and Exit. Any invalid read or write, use of an uninitialised value or block definitely
# lost fails the run; tests/sanitizers/valgrind.supp holds what Qt and X keep.
#
#   bash tools/valgrind.sh [BUILD_DIR]     (default build/, as tools/build.sh makes it)
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
source "$here/tools/packages.sh"
install_missing valgrind
QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=30 \
  --suppressions="$here/tests/sanitizers/valgrind.supp" \
  "$build/tests/rolvan_ui_tests" --gtest_filter='MonkeyTest.ASession*'
