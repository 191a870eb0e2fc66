# Sourced by the scripts in tools/: what the build, the tests and the package checks need
# from Debian, and installing it so that one command takes it all away again.
#
#   build_packages      what builds and runs the game: debian/control's Build-Depends and
#       what the game's package recommends, one a line
#   test_packages       what the test command adds: test frameworks, checking tools and
#       display servers, under the names of the release at hand
#   install_as NAME SUMMARY PACKAGE...   installs NAME, a package made here that depends on
#       the PACKAGEs, so that they come as its dependencies, and records what came with it;
#       without the right to install it says how
#   remove_installed    removes what install_as installed, as recorded, and nothing else
#   install_missing [APT-OPTION...] PACKAGE...   installs those not installed yet, through
#       sudo unless run as root; without the right to do so it says which are missing
#   clang_runtime       the fuzzer's runtime for the clang this release installs
#   offered PACKAGE     whether the release has PACKAGE at all
#   desktop_test_packages   the desktops the display tests run the game on, where the
#       release has them (part of test_packages)

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

# apt-get as root, without questions. Through env, so that the setting reaches apt-get
# whether or not sudo passes it on.
apt_as_root() {
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q ' ok installed$'
}

# The ARGUMENTs as a Depends field lists them: "a, b, c".
comma_list() {
  local joined
  joined=$(printf '%s, ' "$@")
  echo "${joined%, }"
}

# Says, for someone without administrator rights, what to ask of someone who has them: WHAT
# (a sentence's subject) needs them, and the LINE they should run.
ask_for_root() {
  echo "$1 needs administrator rights. Ask someone who has them to run" >&2
  echo "    $2" >&2
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

# The entries of FIELD in debian/control (alternatives and versions as written there), one a
# line; comment lines are left out.
control_field() {
  awk -v field="$1" '
    /^#/ { next }
    /^[^ \t]/ { on = (index($0, field ":") == 1); sub("^[^:]*:", "") }
    on { print }' "$(dirname "${BASH_SOURCE[0]}")/../debian/control" |
    tr ',' '\n' | sed 's/^[ \t]*//; s/[ \t]*$//' | grep -v '^$'
}

# The compiler and the rest of what dpkg-buildpackage takes for granted, what the package's
# build depends on, and what the game recommends to run with (Qt's own German texts, Qt's
# Wayland plugin), so that the game run from the build is the game the package installs.
build_packages() {
  echo build-essential
  control_field Build-Depends
  control_field Recommends
}

# GoogleTest and Google Benchmark; clang with its fuzzer runtime; a headless Wayland
# compositor and an X server with a window manager, keyboard layouts, key presses and an
# XSETTINGS daemon (a scale that changes) for the game on real display servers. The house
# style is clang-format 14's layout; releases without it skip that check. Further display
# servers for the tests go here too.
test_packages() {
  know_the_release
  printf '%s\n' libgtest-dev libgmock-dev libbenchmark-dev clang $(clang_runtime) \
    weston xvfb xauth openbox xdotool x11-xkb-utils x11-utils xsettingsd
  if offered clang-format-14; then echo clang-format-14; fi
  desktop_test_packages
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

# The package NAME that depends on the PACKAGEs, made with dpkg-deb into FOLDER; its version
# follows the list, so that a changed list installs anew.
make_dependency_package() {
  local name=$1 summary=$2 folder=$3
  shift 3
  local depends version tree
  depends=$(comma_list "$@")
  version=0.$(printf '%s' "$depends" | cksum | cut -d ' ' -f 1)
  tree=$(mktemp -d)
  mkdir -p "$tree/DEBIAN"
  cat >"$tree/DEBIAN/control" <<CONTROL
Package: $name
Version: $version
Architecture: all
Maintainer: The Rolvan developers <rolvan@quendel.org>
Section: metapackages
Priority: optional
Depends: $depends
Description: $summary
 Made by Rolvan's tools/build.sh to bring in what it needs. Rolvan's
 "tools/build.sh remove" removes it with everything it brought in.
CONTROL
  dpkg-deb --root-owner-group --build "$tree" "$folder/$name.deb" >/dev/null
  rm -rf "$tree"
}

install_as() {
  local name=$1 summary=$2
  shift 2
  local depends
  depends=$(comma_list "$@")
  # Installed already with the same list, or every package there already (installed by hand,
  # say): nothing to do, and no administrator rights needed.
  if [ "$(dpkg-query -W -f='${Status}|${Depends}' "$name" 2>/dev/null)" = "install ok installed|$depends" ]; then
    return 0
  fi
  if command -v dpkg-checkbuilddeps >/dev/null &&
     dpkg-checkbuilddeps -d "$depends" "$(dirname "${BASH_SOURCE[0]}")/../debian/control" 2>/dev/null; then
    return 0
  fi
  if ! can_be_root; then
    local folder
    folder=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build
    mkdir -p "$folder"
    make_dependency_package "$name" "$summary" "$folder" "$@"
    echo "Rolvan needs these Debian packages: $*" >&2
    ask_for_root "Installing them" "sudo apt-get install --no-install-recommends $folder/$name.deb"
    echo "and then run this command again." >&2
    return 1
  fi
  fetch_lists
  # A folder apt's own user may read, so that apt does not complain about fetching as root.
  local folder
  folder=$(mktemp -d)
  chmod 755 "$folder"
  make_dependency_package "$name" "$summary" "$folder" "$@"
  chmod 644 "$folder/$name.deb"
  # Only what the packages depend on comes with them: what they recommend besides (a desktop's
  # worth of packages, systemd among them) doubles the time a first start takes.
  local status=0 before
  before=$(installed_packages)
  apt_as_root install -y -qq --no-install-recommends --allow-downgrades "$folder/$name.deb" || status=$?
  rm -rf "$folder"
  # What was not there before came with NAME (NAME itself among it). Recorded even when the
  # install failed halfway, so that what did come can be taken away again.
  comm -13 <(echo "$before") <(installed_packages) | record_installed "$name"
  return "$status"
}

# Where install_as records, one file for each package made here, what came with it.
installed_records=/var/lib/rolvan-tools

installed_packages() {
  dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort -u
}

# Adds the package names on standard input to NAME's record.
record_installed() {
  local record="$installed_records/$1.list" names
  names=$(cat)
  [ -n "$names" ] || return 0
  "${as_root[@]}" mkdir -p "$installed_records"
  { cat "$record" 2>/dev/null || true; echo "$names"; } | sort -u | "${as_root[@]}" tee "$record.new" >/dev/null
  "${as_root[@]}" mv "$record.new" "$record"
}

# apt's autoremove takes every package that was installed automatically and that no other
# package needs; it keeps what an installed package merely suggests (apt itself suggests
# dpkg-dev, which would keep the compilers). So that it takes what the tools installed and
# nothing else, every other automatically installed package is marked as installed by hand
# for the time, and what remains of the tools' packages is taken without regard to
# suggestions and recommendations. What the person marked as installed by hand since, and what packages
# installed since need, stays.
remove_installed() {
  local names=() name ours others
  for name in rolvan-build-deps rolvan-test-deps rolvan-check-deps; do
    if is_installed "$name" || [ -e "$installed_records/$name.list" ]; then
      names+=("$name")
    fi
  done
  if [ ${#names[@]} -eq 0 ]; then
    echo "Nothing that Rolvan's tools installed is left to remove."
    return 0
  fi
  if ! can_be_root; then
    ask_for_root "Removing packages" "sudo bash $(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/build.sh remove"
    return 1
  fi
  ours=$(cat "$installed_records"/*.list 2>/dev/null | sort -u)
  if [ -z "$ours" ]; then
    # Installed from the line printed for someone without sudo rights: nothing was recorded,
    # and apt's own way is the best there is.
    apt_as_root autoremove --purge -y -qq "${names[@]}"
    return
  fi
  others=$(apt-mark showauto | sort -u | comm -23 - <(echo "$ours"))
  local status=0
  if [ -n "$others" ]; then
    # shellcheck disable=SC2086 # one package name a word
    "${as_root[@]}" apt-mark manual $others >/dev/null
    trap 'restore_auto "$others"' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
  fi
  apt_as_root purge -y -qq "${names[@]}" >/dev/null || status=$?
  if [ "$status" -eq 0 ]; then
    apt_as_root autoremove --purge -y -qq \
      -o APT::AutoRemove::SuggestsImportant=false -o APT::AutoRemove::RecommendsImportant=false || status=$?
  fi
  if [ "$status" -eq 0 ]; then
    remove_protected "$ours" || status=$?
  fi
  restore_auto "$others"
  trap - EXIT INT TERM
  [ "$status" -eq 0 ] && "${as_root[@]}" rm -rf "$installed_records"
  return "$status"
}

# apt's autoremove never takes a protected package, such as the init system that a system
# without one (a container) gets with the desktops. Of the packages in OURS (one argument, one
# name a line), those still installed automatically go now, each unless taking it would take
# a package that stays.
remove_protected() {
  local left p removing going=()
  left=$(comm -12 <(echo "$1") <(comm -12 <(installed_packages) <(apt-mark showauto | sort -u)))
  for p in $left; do
    removing=$(apt-get -s purge --allow-remove-essential "$p" 2>/dev/null |
      awk '$1 == "Purg" || $1 == "Remv" { print $2 }' | sort -u)
    if [ -z "$(comm -23 <(echo "$removing") <(echo "$left"))" ]; then
      going+=("$p")
    fi
  done
  [ ${#going[@]} -gt 0 ] || return 0
  apt_as_root purge -y -qq --allow-remove-essential "${going[@]}"
}

# Marks the PACKAGES (one argument, one name a line) that are still installed as installed
# automatically again.
restore_auto() {
  local still
  still=$(comm -12 <(installed_packages) <(echo "$1" | sort -u) | grep -v '^$' || true)
  # shellcheck disable=SC2086 # one package name a word
  [ -z "$still" ] || "${as_root[@]}" apt-mark auto $still >/dev/null
}

# For the tools of single scripts: installs the PACKAGEs not installed yet, each for itself.
install_missing() {
  local options=() missing=() p
  while [ $# -gt 0 ] && [ "${1#-}" != "$1" ]; do
    options+=("$1")
    shift
  done
  for p in "$@"; do
    is_installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! can_be_root; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    ask_for_root "Installing them" "sudo apt-get install ${options[*]+${options[*]} }${missing[*]}"
    echo "and then run this command again." >&2
    return 1
  fi
  fetch_lists
  apt_as_root install -y -qq "${options[@]}" "${missing[@]}"
}

# A headless GNOME Shell with XWayland and KWin with its Breeze frames, for the tests of the
# game on the desktops most Debian users have, and the D-Bus tools that drive them. A
# release without one of them skips its test.
desktop_test_packages() {
  know_the_release
  local p
  for p in gnome-shell xwayland dbus-daemon libglib2.0-bin kwin-wayland kwin-style-breeze; do
    if offered "$p"; then echo "$p"; fi
  done
}
