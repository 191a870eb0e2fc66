#!/usr/bin/env bash
# Installs what the build needs on Debian 12, 13 or testing, under that release's package
# names, builds Rolvan, then starts the game (`run`), runs every test (`test`) or builds
# the Debian package build/rolvan_*.deb (`package`). `run` and `package` install and build
# only the game and the analysis tool; `test` builds everything: the tests, the benchmarks
# and the fuzzer as well.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
action=${1:-run}
source "$here/tools/packages.sh"

# The game (tools/packages.sh names them for the release). Only what they depend on comes
# with them: what they recommend besides (a desktop's worth of packages, systemd among
# them) doubles the time a first start takes, and on Debian 13 triples the time the test
# packages take to install (Vulkan drivers, Fortran and more).
mapfile -t packages < <(game_packages)
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
    # package; clang with its fuzzer runtime; a headless Wayland compositor and an X server
    # with a window manager, keyboard layouts, key presses and an XSETTINGS daemon (a scale
    # that changes) for the game on real display servers.
    packages+=(build-essential file libgtest-dev libgmock-dev libbenchmark-dev
               desktop-file-utils appstream lintian clang $(clang_runtime)
               weston qt6-wayland xvfb openbox xdotool x11-xkb-utils x11-utils xsettingsd)
    packages+=($(desktop_test_packages))
    # The house style is clang-format 14's layout; releases without it skip that check.
    if offered clang-format-14; then packages+=(clang-format-14); fi
    everything=ON
    ;;
  *)
    echo "usage: tools/build.sh [run|test|package]" >&2
    exit 2
    ;;
esac
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
