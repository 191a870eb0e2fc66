#!/usr/bin/env bash
# Checks of what the program installs and of its Debian package.
#
#   check.sh desktop|metainfo|install|source SOURCE_DIR BUILD_DIR
#       the launcher, the AppStream metadata, an install's file list, and the source
#       package's declarations, on the test command's build (CTest runs these)
#   check.sh package|lintian|hardening|lifecycle SOURCE_DIR BUILD_DIR
#       the packages that `tools/build.sh package` left in BUILD_DIR: their files and
#       fields, lintian, the hardening of the game, and (as root) install, start, remove
#       and purge (tools/package_check.sh runs these)
#
# A check whose tool is missing exits 77, which CTest reports as skipped.
set -euo pipefail
check=$1
source_dir=$2
build_dir=$3
expected="$source_dir/tests/packaging/installed-files.txt"
app_id=org.quendel.Rolvan
desktop_file="$source_dir/res/desktop/$app_id.desktop"
metainfo="$build_dir/desktop/$app_id.metainfo.xml"

need() {
  if ! command -v "$1" >/dev/null; then
    echo "SKIPPED: $1 is not installed (Debian package $2)"
    exit 77
  fi
}

fail() {
  echo "$*"
  exit 1
}

# The text of the one-line element TAG with exactly the attributes ATTRIBUTES ("" for none).
element() {
  sed -n "s|^ *<$1$2>\\(.*\\)</$1>\$|\\1|p" "$metainfo"
}

# The value of KEY in the launcher.
desktop_key() {
  sed -n "s/^$1=//p" "$desktop_file"
}

# The project's version, as CMake and the About box know it.
project_version() {
  sed -n 's/^project(Rolvan VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt"
}

# Width and height of a PNG, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d\n", (($1 * 256 + $2) * 256 + $3) * 256 + $4,
                                                      (($5 * 256 + $6) * 256 + $7) * 256 + $8 }'
}

the_package() {
  local deb
  deb=$(ls "$build_dir"/rolvan_*.deb 2>/dev/null | head -n 1)
  [ -n "$deb" ] || fail "no package in $build_dir: build it with bash tools/build.sh package"
  echo "$deb"
}

case "$check" in
  desktop)
    # Desktops tell an SVG by "<svg" near its start; further down, the icon is not shown.
    head -c 256 "$source_dir/res/icons/$app_id.svg" | grep -q '<svg' ||
      fail "the icon's <svg> element must start within its first 256 bytes"
    # Software centres and menus cut the line under the name at about 35 characters.
    for key in 'Comment' 'Comment\[de\]'; do
      comment=$(desktop_key "$key")
      [ -n "$comment" ] || fail "the launcher has no $key"
      [ "${#comment}" -le 35 ] || fail "$key is ${#comment} characters long, more than 35: $comment"
    done
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$desktop_file"
    ;;
  metainfo)
    # The summary is what a centre shows under the name, as the launcher's Comment is.
    [ "$(element summary '')" = "$(desktop_key Comment)" ] ||
      fail "the summary and the launcher's Comment differ"
    [ "$(element summary ' xml:lang="de"')" = "$(desktop_key 'Comment\[de\]')" ] ||
      fail "the German summary and the launcher's Comment[de] differ"
    [ "$(element lang '' | paste -sd ' ')" = "en de" ] || fail "the languages must be en and de"
    # The latest release is the project's version.
    version=$(project_version)
    grep -q "<release version=\"$version\" " "$metainfo" || fail "no release $version listed"
    # Every picture is one of docs/ at the release's tag, all of one size, which the
    # metadata gives; a German one is marked as such, and only that one.
    images=$(grep '<image ' "$metainfo") || fail "no screenshots"
    size=""
    while IFS= read -r image; do
      url=$(sed 's|.*>\(.*\)</image>.*|\1|' <<<"$image")
      case "$url" in
        */plain/docs/*.png\?h=v"$version") ;;
        *) fail "a screenshot not in docs/ at the tag v$version: $url" ;;
      esac
      name=${url##*/docs/}
      name=${name%%\?*}
      [ -f "$source_dir/docs/$name" ] || fail "docs/$name, listed as a screenshot, is missing"
      actual=$(png_size "$source_dir/docs/$name")
      [ -z "$size" ] && size=$actual
      [ "$actual" = "$size" ] || fail "docs/$name is $actual, the first screenshot $size"
      [ "$image" = "${image/width=\"${actual% *}\" height=\"${actual#* }\"/}" ] &&
        fail "docs/$name is $actual, which its width and height do not say"
      case "$name" in
        german-*) grep -q 'xml:lang="de"' <<<"$image" || fail "docs/$name is not marked German" ;;
        *) grep -q 'xml:lang' <<<"$image" && fail "docs/$name is marked with a language" ;;
      esac
    done <<<"$images"
    need appstreamcli appstream
    # AppStream 1.0 (Debian 13 on) fails on anything above a pedantic hint; the older one
    # (Debian 12) does not know the developer block and is asked for its pedantic hints.
    as_version=$(appstreamcli --version | grep -o '[0-9][0-9.]*' | head -n 1)
    if dpkg --compare-versions "$as_version" ge 1.0; then
      appstreamcli validate --no-net --strict "$metainfo"
    else
      appstreamcli validate --no-net --pedantic "$metainfo"
    fi
    ;;
  install)
    prefix=$(mktemp -d)
    trap 'rm -rf "$prefix"' EXIT
    cmake --install "$build_dir" --prefix "$prefix" >/dev/null
    diff -u "$expected" <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
    ;;
  source)
    need dpkg-checkbuilddeps dpkg-dev
    # The one list of what the build needs is debian/control's, and the test command
    # installed it: dpkg agrees that it is all there.
    (cd "$source_dir" && dpkg-checkbuilddeps)
    # tools/packages.sh reads the same list as dpkg's own reader of debian/control does.
    source "$source_dir/tools/packages.sh"
    diff -u <(cd "$source_dir" && perl -MDpkg::Control::Info -e \
                'print Dpkg::Control::Info->new("debian/control")->get_source->{"Build-Depends"}' |
                tr ',' '\n' | sed 's/^[ \t]*//; s/[ \t]*$//' | grep -v '^$') \
            <(control_field Build-Depends)
    # The package's version is the project's, with the Debian revision after it.
    changelog_version=$(cd "$source_dir" && dpkg-parsechangelog -S Version)
    [ "${changelog_version%-*}" = "$(project_version)" ] ||
      fail "debian/changelog is at $changelog_version, the project at $(project_version)"
    [ -x "$source_dir/debian/rules" ] || fail "debian/rules is not executable"
    ;;
  package)
    deb=$(the_package)
    dbgsym=$(ls "$build_dir"/rolvan-dbgsym_*.deb) || fail "no package of debugging symbols"
    # The package holds what an install holds, under /usr, with the manual pages compressed
    # and Debian's own changelog and copyright.
    diff -u <({ sed 's|^|usr/|; s|\.6$|.6.gz|' "$expected"
                printf '%s\n' usr/share/doc/rolvan/changelog.Debian.gz usr/share/doc/rolvan/copyright
              } | LC_ALL=C sort) \
      <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | LC_ALL=C sort)
    dpkg-deb -f "$deb" Package Version Section Recommends Depends
    dpkg-deb -f "$dbgsym" Package Depends
    depends=$(dpkg-deb -f "$deb" Depends)
    grep -q libqt6widgets6 <<<"$depends" || fail "the package does not depend on Qt Widgets"
    grep -q qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "qt6-wayland is not recommended"
    # It runs with the Qt it was built on: the least version it asks for is no newer.
    qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    least=$(grep -o 'libqt6core6[a-z0-9]* (>= [^)]*)' <<<"$depends" | sed 's/.*>= //; s/)//')
    [ -n "$least" ] || fail "the package asks for no version of Qt Core"
    dpkg --compare-versions "$least" le "$qt" ||
      fail "the package asks for Qt $least, but was built on Qt $qt"
    # Qt's private API holds for one Qt version: a program built on it must say which, and
    # one that names no version must use no private symbol of Qt.
    private=$(sed -n 's/^ROLVAN_QT_PRIVATE_API:INTERNAL=//p' "$build_dir/package/rolvan/obj-"*/CMakeCache.txt)
    unpacked=$(mktemp -d)
    trap 'rm -rf "$unpacked"' EXIT
    dpkg-deb -x "$deb" "$unpacked"
    if [ -n "$private" ]; then
      grep -q "qt6-base-abi (= $private)" <<<"$depends" || fail "not pinned to Qt $private"
    else
      grep qt6-base-abi <<<"$depends" &&
        fail "built on Qt's public API alone, the package must not be pinned to a Qt version"
      if objdump -T "$unpacked/usr/games/rolvan" | grep -F Qt_6_PRIVATE_API; then
        fail "the program uses Qt's private API, yet its package is not pinned to a Qt version"
      fi
    fi
    ;;
  lintian)
    need lintian lintian
    deb=$(the_package)
    # Errors and warnings fail; pedantic tags are shown.
    lintian --pedantic --info --fail-on error,warning "$deb" "$build_dir"/rolvan-dbgsym_*.deb
    ;;
  hardening)
    need hardening-check devscripts
    deb=$(the_package)
    unpacked=$(mktemp -d)
    trap 'rm -rf "$unpacked"' EXIT
    dpkg-deb -x "$deb" "$unpacked"
    game="$unpacked/usr/games/rolvan"
    options=()
    # Branch protection is an arm64 feature, which hardening-check asks of amd64 as well.
    # (The outputs are read whole first: grep -q ending early would fail the pipeline.)
    usage=$(hardening-check --help 2>&1 || true)
    if [ "$(dpkg --print-architecture)" != arm64 ] && grep -q -- --nobranchprotection <<<"$usage"; then
      options+=(--nobranchprotection)
    fi
    # Control-flow protection (-fcf-protection) is among Debian's default flags from dpkg
    # 1.22 (Debian 13) on; Debian 12 builds without it. hardening-check reads it from the
    # program's note of x86 features, which the linker keeps only where every object linked
    # in has it. Debian 13's C library start files have none, so no program linked there
    # has the note, however it was built: where they lack it, the game's own code is
    # checked instead, in which every function that may be called indirectly begins with
    # endbr64.
    features=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --query-features hardening)
    start_notes=$(readelf -n "$(gcc -print-file-name=Scrt1.o)")
    if ! grep -q '^Feature: branch' <<<"$features"; then
      options+=(--nocfprotection)
    elif ! grep -q 'x86 feature: IBT' <<<"$start_notes"; then
      options+=(--nocfprotection)
      entries=$(objdump -d --no-show-raw-insn "$game" | grep -c 'endbr64')
      echo " Control flow integrity: $entries functions begin with endbr64 (the C library's start files carry no note of it)"
      [ "$entries" -ge 100 ] || fail "the game was not built with -fcf-protection"
    fi
    hardening-check "${options[@]}" "$game"
    ;;
  lifecycle)
    [ "$(id -u)" -eq 0 ] || { echo "SKIPPED: installing the package needs root"; exit 77; }
    need xvfb-run xvfb
    need xdotool xdotool
    deb=$(the_package)
    # The README's way of installing it; nothing of it may be there before.
    if dpkg-query -W -f='${Status}' rolvan 2>/dev/null | grep -q installed; then
      fail "rolvan is installed already"
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
    mapfile -t files < <(dpkg -L rolvan | while read -r f; do [ -d "$f" ] || echo "$f"; done)
    # Folders that the package alone brought, such as its documentation's.
    mapfile -t folders < <(dpkg -L rolvan | while read -r f; do
                             [ -d "$f" ] && [ "$(dpkg -S "$f" 2>/dev/null | tr ',' '\n' | wc -l)" -eq 1 ] && echo "$f"
                           done)
    [ ${#files[@]} -gt 10 ] || fail "dpkg lists only ${#files[@]} files of rolvan"
    # The launcher's command, as a desktop starts it: on the user's PATH, which holds
    # /usr/games, in a home of its own.
    exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/$app_id.desktop)
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    HOME=$home XDG_CONFIG_HOME=$home/.config PATH=/usr/local/bin:/usr/bin:/bin:/usr/games \
      DBUS_SESSION_BUS_ADDRESS=unix:path=/dev/null QT_QPA_PLATFORM=xcb \
      xvfb-run -a -s '-screen 0 1024x768x24 -nolisten tcp' bash -c '
        '"$exec_line"' &
        game=$!
        xdotool search --sync --onlyvisible --class Rolvan >/dev/null &
        search=$!
        for _ in $(seq 600); do kill -0 $search 2>/dev/null || break; sleep 0.1; done
        if kill -0 $search 2>/dev/null; then
          echo "no window of the game"
          kill $search $game
          exit 1
        fi
        echo "the launcher started rolvan and its window showed"
        kill $game
        wait $game || true'
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq rolvan >/dev/null
    # apt no longer knows a package that came from a file once it is removed; dpkg does.
    dpkg --purge rolvan
    left=()
    for f in "${files[@]}" "${folders[@]}"; do [ -e "$f" ] || [ -L "$f" ] && left+=("$f"); done
    [ ${#left[@]} -eq 0 ] || fail "left behind after purging: ${left[*]}"
    [ -z "$(dpkg-query -W -f='${Status}' rolvan 2>/dev/null | grep -v not-installed)" ] ||
      fail "dpkg still knows rolvan after the purge"
    echo "installed, started, removed and purged: none of its ${#files[@]} files and ${#folders[@]} folders is left"
    ;;
  *)
    echo "check.sh: unknown check $check" >&2
    exit 2
    ;;
esac
