# Sourced by the scripts in tools/: choosing and installing Debian packages under the names
# of the release at hand (Debian 12, 13 and testing name some of them differently).
#
#   install_missing [APT-OPTION...] PACKAGE...   installs those not installed yet, through
#       sudo unless run as root; without the right to do so it says which packages are
#       missing and how to install them
#   game_packages       what builds the game against this release's Qt
#   clang_runtime       the fuzzer's runtime for the clang this release installs
#   offered PACKAGE     whether the release has PACKAGE at all
#   desktop_test_packages   the desktops the display tests run the game on, where the
#                       release has them

# Sets `as_root` to what runs a command as root: nothing for root, sudo for a user allowed to
# use it. Fails for anyone else.
as_root=()
can_be_root() {
  as_root=()
  [ "$(id -u)" -eq 0 ] && return 0
  command -v sudo >/dev/null && sudo -v || return 1
  as_root=(sudo)
}

# apt's lists of the release's packages, fetched once a run: a fresh system has none, and the
# names and versions below are read from them.
lists_fetched=""
fetch_lists() {
  [ -n "$lists_fetched" ] && return 0
  "${as_root[@]}" apt-get update -qq
  lists_fetched=1
}

# The version of PACKAGE that is installed, or else the one the release offers; nothing if
# neither.
package_version() {
  local installed
  installed=$(dpkg-query -W -f='${db:Status-Abbrev}${Version}' "$1" 2>/dev/null) || installed=""
  case "$installed" in
    ii*) echo "${installed#ii }" ;;
    *) apt-cache policy "$1" 2>/dev/null | awk '$1 == "Candidate:" && $2 != "(none)" { print $2 }' ;;
  esac
}

offered() {
  [ -n "$(package_version "$1")" ]
}

# A fresh system knows no package until its lists are fetched; fetch them where that can be
# done, so that the choices below are made on what the release really offers.
know_the_release() {
  offered qt6-base-dev && return 0
  can_be_root 2>/dev/null && fetch_lists || true
}

# The compiler, CMake, Qt and libwayland that reach its Wayland connection, Qt's own German
# texts and rsvg-convert for the icons. Qt 6.4 gives the connection away only through its
# private headers; from 6.5 on it is public, and nothing private is needed.
game_packages() {
  know_the_release
  local qt
  qt=$(package_version qt6-base-dev)
  printf '%s\n' g++ make cmake pkgconf qt6-base-dev libwayland-dev qt6-translations-l10n \
    librsvg2-bin
  if [ -z "$qt" ] || dpkg --compare-versions "$qt" lt 6.5~; then
    echo qt6-base-private-dev
  fi
}

# libFuzzer's runtime comes with the versioned clang that the package `clang` stands for
# (clang 14 on Debian 12, 19 on Debian 13, newer on testing), in libclang-rt-N-dev.
clang_runtime() {
  know_the_release
  local version
  version=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)
  if [ -n "$version" ] && offered "libclang-rt-$version-dev"; then
    echo "libclang-rt-$version-dev"
  fi
}

install_missing() {
  local options=() missing=() p
  while [ $# -gt 0 ] && [ "${1#-}" != "$1" ]; do
    options+=("$1")
    shift
  done
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! can_be_root; then
    {
      echo "These Debian packages are missing: ${missing[*]}"
      echo "Installing them needs administrator rights. Ask someone who has them to run"
      echo "    sudo apt-get install ${options[*]+${options[*]} }${missing[*]}"
      echo "and then run this command again."
    } >&2
    return 1
  fi
  fetch_lists
  # Through env, so that the setting reaches apt-get whether or not sudo passes it on.
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}"
}

# A headless GNOME Shell with XWayland and KWin with its Breeze frames, for the tests of the
# game on the desktops most Debian users have; the D-Bus and X tools that drive them. A
# release without one of them skips its test.
desktop_test_packages() {
  know_the_release
  local p
  for p in gnome-shell xwayland dbus-daemon libglib2.0-bin x11-utils xdotool kwin-wayland \
    kwin-style-breeze; do
    if offered "$p"; then echo "$p"; fi
  done
}
