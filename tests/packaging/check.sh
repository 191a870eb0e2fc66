#!/usr/bin/env bash
# Checks of what the program installs: the launcher, the AppStream metadata, the file
# list of an install, and the Debian package.
#
#   check.sh desktop|metainfo|install|package|lintian SOURCE_DIR BUILD_DIR
#
# A check whose tool is missing exits 77, which CTest reports as skipped.
set -euo pipefail
check=$1
source_dir=$2
build_dir=$3
expected="$source_dir/tests/packaging/installed-files.txt"
package_dir="$build_dir/package-check"

need() {
  if ! command -v "$1" >/dev/null; then
    echo "SKIPPED: $1 is not installed (Debian package $2)"
    exit 77
  fi
}

case "$check" in
  desktop)
    # Desktops tell an SVG by "<svg" near its start; further down, the icon is not shown.
    head -c 256 "$source_dir/res/icons/org.quendel.Rolvan.svg" | grep -q '<svg' || {
      echo "the icon's <svg> element must start within its first 256 bytes"
      exit 1
    }
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$source_dir/res/desktop/org.quendel.Rolvan.desktop"
    ;;
  metainfo)
    need appstreamcli appstream
    appstreamcli validate --no-net --pedantic "$build_dir/desktop/org.quendel.Rolvan.metainfo.xml"
    ;;
  install)
    prefix=$(mktemp -d)
    trap 'rm -rf "$prefix"' EXIT
    cmake --install "$build_dir" --prefix "$prefix" >/dev/null
    diff -u "$expected" <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
    ;;
  package)
    need dpkg-shlibdeps dpkg-dev
    rm -rf "$package_dir"
    mkdir -p "$package_dir"
    (cd "$build_dir" && cpack -G DEB -B "$package_dir" >/dev/null)
    deb=$(ls "$package_dir"/rolvan_2.2-1_*.deb)
    # The package holds exactly what an install holds, under /usr.
    diff -u <(sed 's|^|usr/|' "$expected") \
      <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | LC_ALL=C sort)
    dpkg-deb -f "$deb" Package Version Section Recommends Depends
    dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6
    # Qt's private API holds for one Qt version: a program built on it must say which, and
    # one that names no version must use no private symbol of Qt.
    if [ "${ROLVAN_QT_PRIVATE_API:-OFF}" = ON ]; then
      dpkg-deb -f "$deb" Depends | grep -q "qt6-base-abi (="
    else
      if dpkg-deb -f "$deb" Depends | grep "qt6-base-abi"; then
        echo "built on Qt's public API alone, the package must not be pinned to a Qt version"
        exit 1
      fi
      unpacked="$package_dir/unpacked"
      dpkg-deb -x "$deb" "$unpacked"
      if objdump -T "$unpacked/usr/games/rolvan" | grep -F Qt_6_PRIVATE_API; then
        echo "the program uses Qt's private API, yet its package is not pinned to a Qt version"
        exit 1
      fi
    fi
    dpkg-deb -f "$deb" Recommends | grep -q qt6-wayland
    ;;
  lintian)
    need lintian lintian
    deb=$(ls "$package_dir"/rolvan_2.2-1_*.deb)
    # Errors and warnings fail; overrides in the package say why each one kept is fine.
    lintian --fail-on error,warning "$deb"
    ;;
  *)
    echo "check.sh: unknown check $check" >&2
    exit 2
    ;;
esac
