#!/usr/bin/env bash
# Builds the Debian package as `tools/build.sh package` does and checks it as Debian would:
# its files and fields, lintian --pedantic, the hardening of the game (hardening-check),
# and, as root, install, start from the launcher, remove and purge. CI runs it on each
# release it tries. The tools come as the dependencies of rolvan-check-deps, which
# `tools/build.sh remove` takes away again with the rest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"

started=$SECONDS
stage() {
  echo "== tools/package_check.sh, $((SECONDS - started)) s in: $*"
}

install_as rolvan-check-deps "package check tools of Rolvan" lintian devscripts xvfb xauth xdotool
stage "building the package"
bash "$here/tools/build.sh" package
for check in package lintian hardening lifecycle; do
  stage "$check"
  status=0
  bash "$here/tests/packaging/check.sh" "$check" "$here" "$here/build" || status=$?
  case "$status" in
    0) ;;
    77) echo "(skipped)" ;;
    *) exit "$status" ;;
  esac
done
stage "the package passed every check"
