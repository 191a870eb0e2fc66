#!/usr/bin/env bash
# Installs what the build needs on Debian 12, builds Rolvan, then starts the game (`run`),
# runs every test (`test`) or builds the Debian package build/rolvan_*.deb (`package`).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
action=${1:-run}

packages=(build-essential cmake qt6-base-dev qt6-base-private-dev libwayland-dev pkgconf
          qt6-translations-l10n libgtest-dev libgmock-dev libbenchmark-dev file librsvg2-bin)
# The checks of the launcher, the metadata and the package; clang for the fuzzer;
# clang-format 14 for the house style; a headless Wayland compositor and an X server with a
# window manager, keyboard layouts and key presses for the game on real display servers.
if [ "$action" = test ]; then
  packages+=(desktop-file-utils appstream lintian clang libclang-rt-14-dev clang-format-14
             weston qt6-wayland xvfb openbox xdotool x11-xkb-utils x11-utils)
fi
source "$here/tools/packages.sh"
install_missing "${packages[@]}"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"

case "$action" in
  run)
    if [ -x "$build/rolvan" ]; then
      exec "$build/rolvan"
    fi
    exec "$build/rolvan-analyse" --size 15x10
    ;;
  test)
    exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 120
    ;;
  package)
    cd "$build"
    exec cpack -G DEB
    ;;
  *)
    echo "usage: tools/build.sh [run|test|package]" >&2
    exit 2
    ;;
esac
