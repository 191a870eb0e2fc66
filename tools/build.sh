#!/usr/bin/env bash
# Installs what the build needs on Debian 12, builds Rolvan, then starts the game (`run`),
# runs every test (`test`) or builds the Debian package build/rolvan_*.deb (`package`).
# `run` and `package` install and build only the game and the analysis tool; `test`
# builds everything: the tests, the benchmarks and the fuzzer as well.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
action=${1:-run}

# The game: the compiler, CMake, Qt with the private headers and libwayland that reach its
# Wayland connection, Qt's own German texts and rsvg-convert for the icons. Only what they
# depend on comes with them: what they recommend besides (a desktop's worth of packages,
# systemd among them) doubles the time a first start takes.
packages=(g++ make cmake pkgconf qt6-base-dev qt6-base-private-dev libwayland-dev
          qt6-translations-l10n librsvg2-bin)
install=(install_missing --no-install-recommends)
everything=OFF
case "$action" in
  run) ;;
  package)
    # dpkg-shlibdeps and `file` find the package's dependencies.
    packages+=(dpkg-dev file)
    ;;
  test)
    # GoogleTest and Google Benchmark; the checks of the launcher, the metadata and the
    # package; clang for the fuzzer; clang-format 14 for the house style; a headless
    # Wayland compositor and an X server with a window manager, keyboard layouts and key
    # presses for the game on real display servers.
    packages+=(build-essential file libgtest-dev libgmock-dev libbenchmark-dev
               desktop-file-utils appstream lintian clang libclang-rt-14-dev clang-format-14
               weston qt6-wayland xvfb openbox xdotool x11-xkb-utils x11-utils)
    install=(install_missing)
    everything=ON
    ;;
  *)
    echo "usage: tools/build.sh [run|test|package]" >&2
    exit 2
    ;;
esac
source "$here/tools/packages.sh"
"${install[@]}" "${packages[@]}"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DROLVAN_TESTS=$everything -DROLVAN_BENCHMARKS=$everything
cmake --build "$build" -j"$(nproc)"

case "$action" in
  run)
    exec "$build/rolvan"
    ;;
  test)
    exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 120
    ;;
  package)
    cd "$build"
    exec cpack -G DEB
    ;;
esac
