#!/usr/bin/env bash
# Makes the pictures of the game that the AppStream metadata lists (and the README shows),
# all of one size and without a window frame: the game started on a virtual X display with
# a window manager, driven with keys, and its window taken from the screen, so that open
# menus are in the picture too.
#
#   tools/screenshot.sh [FOLDER] [GAME]
#
# Defaults: docs/ and build/rolvan. It makes screenshot.png (a game at its start),
# editor.png (the board editor with a layout), colours.png (colours of one's own, a few
# moves in), menu.png (the Settings menu) and german-menu.png (the same in German). Needs
# the Debian packages xvfb, xauth, openbox, xdotool, x11-utils and imagemagick.
set -euo pipefail

# The size of every picture: 16:9, as software centres show them.
width=1024
height=576

if [ "${1:-}" = "--inside" ]; then
  inside_display=1
  shift
else
  inside_display=0
fi
here=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$here/docs}
game=${2:-$here/build/rolvan}

for tool in xvfb-run Xvfb xauth openbox xdotool import xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "screenshot.sh: $tool is missing (apt-get install xvfb xauth openbox xdotool x11-utils imagemagick)" >&2
    exit 1
  fi
done
if [ ! -x "$game" ]; then
  echo "screenshot.sh: no game at $game (build it first)" >&2
  exit 1
fi
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)

# Inside the virtual display: one game for each picture, each with a settings store of its
# own, so that the pictures show what the store says and the user's own store is untouched.
config=""
pid=""
window=""

# Starts the game on a store holding the lines of STORE, and waits until its window has
# the pictures' size and has painted.
start_game() {
  config=$(mktemp -d)
  mkdir -p "$config/quendel"
  printf '[Settings]\n%s' "$1" >"$config/quendel/Rolvan.conf"
  XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=unix:path=/dev/null \
    "$game" &
  pid=$!
  window=""
  for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --class Rolvan 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || { echo "screenshot.sh: the game ended early" >&2; exit 1; }
    sleep 0.1
  done
  [ -n "$window" ] || { echo "screenshot.sh: no game window appeared" >&2; exit 1; }
  xdotool windowsize "$window" "$width" "$height" windowmove "$window" 40 40 windowfocus "$window"
  settle
}

# Lets the game handle what it was sent and paint.
settle() {
  sleep 1.5
}

keys() {
  xdotool key --delay 300 "$@"
  settle
}

# Takes the window's area from the screen, with whatever menu lies over it.
take() {
  local x y
  x=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print $4 }')
  y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ { print $4 }')
  import -window root -crop "${width}x${height}+$x+$y" +repage "$folder/$1"
  echo "$folder/$1"
}

end_game() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$config"
}

inside() {
  openbox >/dev/null 2>&1 &
  local wm=$!
  sleep 1

  start_game ""
  take screenshot.png
  end_game

  # A layout of Home and Border squares, seen in the editor (Edit, Edit Grid).
  start_game "HomeCount=3
Home0=(10,2)
Home1=(3,7)
Home2=(12,8)
BorderCount=8
Border0=(5,3)
Border1=(6,3)
Border2=(7,3)
Border3=(8,3)
Border4=(5,6)
Border5=(6,6)
Border6=(7,6)
Border7=(8,6)
"
  keys alt+e e
  take editor.png
  end_game

  # Colours of one's own, after the player's first moves (keys 1, 2 and 3 lay the tiles).
  start_game "WindowBackgroundColour=5585451
GridBackgroundColour=12639464
GridLineColour=1982042
TileBackgroundColour=15266036
TileBorderColour=4217405
TileLineColour=2834119
HomeSquareColour=2007769
BallColour=9648671
"
  keys 2 1
  take colours.png
  end_game

  # The Settings menu with its Colours submenu, in English and then in German (Language,
  # Deutsch; the German menus open with Einstellungen and Farben).
  start_game ""
  keys alt+s c
  take menu.png
  keys Escape Escape alt+l d
  keys alt+e f
  take german-menu.png
  end_game

  kill "$wm" 2>/dev/null || true
}

if [ "$inside_display" = 1 ]; then
  inside
  exit
fi
xvfb-run --auto-servernum --server-args="-screen 0 1280x720x24 -nolisten tcp" \
  "$here/tools/screenshot.sh" --inside "$folder" "$game"
