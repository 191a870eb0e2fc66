#!/usr/bin/env bash
# Installs what the build needs on Debian 12, 13 or testing, builds Rolvan, then starts the
# game (`run`), runs every test (`test`) or builds the Debian packages build/rolvan_*.deb and
# its debugging symbols (`package`). `run` and `package` install and build only the game and
# the analysis tool; `test` builds everything: the tests, the benchmarks and the fuzzer.
#
# What is installed comes as the dependencies of two packages made here, rolvan-build-deps
# (debian/control's build dependencies) and rolvan-test-deps (the test tools), and what came
# with them is recorded, so that `tools/build.sh remove` takes it all away again.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
action=${1:-run}
source "$here/tools/packages.sh"

case "$action" in
  run | package | test) ;;
  remove)
    remove_installed
    exit
    ;;
  *)
    echo "usage: tools/build.sh [run|test|package|remove]" >&2
    exit 2
    ;;
esac

mapfile -t packages < <(build_packages)
install_as rolvan-build-deps "build dependencies of Rolvan" "${packages[@]}"
if [ "$action" = test ]; then
  mapfile -t packages < <(test_packages)
  install_as rolvan-test-deps "test tools of Rolvan" "${packages[@]}"
fi

if [ "$action" = package ]; then
  # dpkg-buildpackage writes the packages beside the source folder; it builds a copy of the
  # source inside build/, so that they land there and the source stays as it was.
  work="$build/package"
  rm -rf "$work"
  mkdir -p "$work/rolvan"
  tar -C "$here" --exclude='./build*' --exclude=./.git --exclude='./obj-*' -cf - . |
    tar -C "$work/rolvan" -xf -
  (cd "$work/rolvan" && dpkg-buildpackage -us -uc -b)
  rm -f "$build"/rolvan_*.deb "$build"/rolvan-dbgsym_*.deb
  mv "$work"/rolvan_*.deb "$work"/rolvan-dbgsym_*.deb "$build"/
  ls "$build"/rolvan_*.deb "$build"/rolvan-dbgsym_*.deb
  exit 0
fi

# Debian's compiler and linker flags, hardening among them, as the package is built with;
# without debugging information, which a first start would wait for.
flags=()
if command -v dpkg-buildflags >/dev/null; then
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
  flags=(-DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
         -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)")
fi
everything=OFF
[ "$action" = test ] && everything=ON
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release "${flags[@]}" \
  -DROLVAN_TESTS=$everything -DROLVAN_BENCHMARKS=$everything
cmake --build "$build" -j"$(nproc)"

case "$action" in
  run)
    exec "$build/rolvan"
    ;;
  test)
    exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 120
    ;;
esac
