# Sourced by the scripts in tools/: install_missing [APT-OPTION...] PACKAGE... installs
# those of the Debian packages that are not installed yet, through sudo unless run as
# root. Without the right to do so it says which packages are missing and how to install
# them.
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
  local as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null || ! sudo -v; then
      {
        echo "These Debian packages are missing: ${missing[*]}"
        echo "Installing them needs administrator rights. Ask someone who has them to run"
        echo "    sudo apt-get install ${options[*]+${options[*]} }${missing[*]}"
        echo "and then run this command again."
      } >&2
      return 1
    fi
    as_root=(sudo)
  fi
  "${as_root[@]}" apt-get update -qq
  # Through env, so that the setting reaches apt-get whether or not sudo passes it on.
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}"
}
