#!/usr/bin/env bash
# Starts the game on a virtual X display, saves a PNG of its window and closes it again,
# to see what a player sees without a desktop.
#
#   tools/screenshot.sh [game] [picture.png] [screen WIDTHxHEIGHT]
#
# Defaults: build/rolvan, screenshot.png, 1024x768. Needs the Debian packages xvfb,
# xauth, imagemagick (for `import`) and x11-utils (for `xwininfo`).
set -euo pipefail

# Inside the virtual display the script runs again as `screenshot.sh --inside game picture`.
if [ "${1:-}" = "--inside" ]; then
  inside_display=1
  shift
else
  inside_display=0
fi

here=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$here/build/rolvan}
picture=${2:-screenshot.png}
screen=${3:-1024x768}

for tool in xvfb-run Xvfb xauth import xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "screenshot.sh: $tool is missing (apt-get install xvfb xauth imagemagick x11-utils)" >&2
    exit 1
  fi
done
if [ ! -x "$game" ]; then
  echo "screenshot.sh: no game at $game (build it first)" >&2
  exit 1
fi
case "$picture" in
  /*) ;;
  *) picture="$PWD/$picture" ;;
esac

# Runs inside the virtual display: start the game, wait until its main window is mapped
# and has painted, take the window, then end the game.
inside() {
  local game=$1 picture=$2
  # A settings store of its own, so the picture shows the defaults and the user's own
  # settings are neither read nor written.
  local config
  config=$(mktemp -d)
  XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb "$game" &
  local pid=$!
  local window=""
  for _ in $(seq 1 100); do
    # The main window is the one with a window class; Qt's helper windows have none.
    window=$(xwininfo -root -children 2>/dev/null |
      awk 'tolower($0) ~ /rolvan/ && /\("[^"]+" "[^"]+"\)/ { print $1; exit }')
    [ -n "$window" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "screenshot.sh: the game ended before it showed a window" >&2
      rm -rf "$config"
      return 1
    fi
    sleep 0.1
  done
  local status=0
  if [ -z "$window" ]; then
    echo "screenshot.sh: no game window appeared" >&2
    status=1
  else
    # Let the first paint cycle finish.
    sleep 1
    import -window "$window" "$picture" || status=1
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$config"
  return "$status"
}
if [ "$inside_display" = 1 ]; then
  inside "$game" "$picture"
  exit
fi
xvfb-run --auto-servernum --server-args="-screen 0 ${screen}x24 -nolisten tcp" \
  "$here/tools/screenshot.sh" --inside "$game" "$picture"
echo "$picture"
