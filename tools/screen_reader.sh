#!/usr/bin/env bash
# Plays Rolvan under the screen reader Orca on a virtual display, without sound, and prints
# what Orca said: when the board gets the focus, for a move, for a flat review of the board,
# for a game's end with the scores dialog, and for flat reviews after a click in the board
# editor, after the new game that saving the board starts and after a change of the grid's
# size, first in English, then in German.
#
#   tools/screen_reader.sh [transcript.txt]      the sessions; the transcript also on stdout
#   tools/screen_reader.sh --bench               the cost of a move on a 100 x 100 board,
#                                                with Orca listening and without it
#
# The game is build/rolvan (and build/bench/rolvan_screen_reader_ui_bench for --bench);
# ROLVAN_BUILD names another build folder of the repository, as build-trixie.
# Installs the Debian packages it needs. Everything runs in a home of its own (settings,
# speech server, Orca's settings, the game's store) that is removed at the end, and every
# process it starts is ended, whatever happens.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/tools/packages.sh"
install_missing xvfb xauth openbox xdotool dbus at-spi2-core orca python3-pyatspi \
  speech-dispatcher speech-dispatcher-espeak-ng espeak-ng

mode=sessions
transcript=""
case "${1:-}" in
  --bench) mode=bench ;;
  "") ;;
  *) transcript=$1 ;;
esac
build=$here/${ROLVAN_BUILD:-build}
game=$build/rolvan
bench=$build/bench/rolvan_screen_reader_ui_bench
for program in "$game" $([ "$mode" = bench ] && echo "$bench"); do
  if [ ! -x "$program" ]; then
    echo "screen_reader.sh: no $program (build it first: bash tools/build.sh test)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  # These left their parents: the speech server Orca started, and the session bus, which
  # forked itself away. Both wrote down their process IDs.
  for pid in "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" "$work/bus.pid"; do
    if [ -s "$pid" ]; then
      kill "$(cat "$pid")" 2>/dev/null || true
    fi
  done
  rm -rf "$work"
}
trap cleanup EXIT

# Orca runs on Debian's own Python, whatever python3 comes first on the PATH.
export PATH=/usr/bin:/bin:/usr/sbin:/sbin
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8

# Without a sound server speech-dispatcher waits for ever (and Orca with it) unless it
# speaks to ALSA, and ALSA's default device swallows everything.
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/speech-dispatcher"
printf 'AudioOutputMethod "alsa"\nDefaultModule espeak-ng\n' \
  >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"

start() {  # start NAME COMMAND...: in the background, output to $work/NAME.log
  local name=$1
  shift
  "$@" >"$work/$name.log" 2>&1 &
  pids+=($!)
}

# Xvfb picks a free display and writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
export DISPLAY=:$(head -n1 "$work/display")
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus"
DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
sed -n 2p "$work/bus" >"$work/bus.pid"
start atspi /usr/libexec/at-spi-bus-launcher --launch-immediately
sleep 1
dbus-send --session --type=method_call --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
  variant:boolean:true >/dev/null
start openbox openbox
sleep 1

orca_log=$work/orca-debug.log
start_orca() {
  # Orca refuses to run next to another Orca of the same user, and would end it if asked to.
  if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "screen_reader.sh: another Orca of this user is running; end it first" >&2
    exit 1
  fi
  start orca orca --debug-file "$orca_log"
  orca_pid=${pids[-1]}
  for _ in $(seq 100); do
    grep -q "SPEECH OUTPUT" "$orca_log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "screen_reader.sh: Orca did not start (see its log)" >&2
  cat "$work/orca.log" >&2
  exit 1
}

# The moment as Orca's debug log stamps its lines.
now() { date +%H:%M:%S.%6N; }

window_of() {  # the window whose title is exactly $1 (xdotool's search ignores case)
  local id
  for id in $(xdotool search --name "$1" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id" && return 0
  done
  return 1
}

press() {  # press KEY [PAUSE]
  xdotool key "$1"
  sleep "${2:-1.5}"
}

# A game with a store of its own, in the language of $1 (its start follows the system's).
run_game() {
  local lang=$1 store=$work/store-$1
  mkdir -p "$store"
  XDG_CONFIG_HOME=$store LANG=$lang QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start "game-$lang" "$game"
  game_pid=${pids[-1]}
  local window=""
  for _ in $(seq 100); do
    window=$(window_of rolvan) && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "screen_reader.sh: the game showed no window" >&2
    exit 1
  fi
  xdotool windowactivate --sync "$window"
  sleep 3
}

sections=()
mark() { sections+=("$(now)|$1"); }

game_pid=""
end_game() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
  fi
}

flat_review() {  # every line of the window, from the focus's line down, in flat review
  press KP_Subtract
  press KP_Up
  local line
  for line in $(seq 12); do
    press KP_Page_Up 1
  done
  press KP_Subtract
}

menu() {  # menu KEY...: opens a menu of the game's menu bar by its letter, then items
  local window
  window=$(window_of rolvan)
  xdotool windowactivate --sync "$window"
  sleep 1
  # Held a moment, as a hand holds it: Orca takes the keys before the game, and a chord
  # typed at once reaches the game without its Alt.
  xdotool keydown alt
  sleep 0.3
  xdotool key "$1"
  sleep 0.3
  xdotool keyup alt
  sleep 1.5
  shift
  local key
  for key in "$@"; do
    press "$key" 1.5
  done
  sleep 2
}

# session LANG SCORES-TITLE EDIT-MENU EDIT-ITEM SAVE-ITEM SETTINGS-MENU GRID SIZE SIZE-TITLE
session() {
  local lang=$1 scores=$2 edit=$3 edit_grid=$4 save_grid=$5 settings=$6 grid=$7 size_item=$8
  local size=$9
  end_game
  mark "$lang: the board gets the focus"
  run_game "$lang"
  mark "$lang: a move (key 2)"
  press 2 4
  mark "$lang: flat review of the board (keypad minus, then keypad 8 and 9 line by line)"
  flat_review
  mark "$lang: a game's end (key 3 until the scores show), the scores dialog, Tab, Enter"
  local tries
  for tries in $(seq 12); do
    press 3 3
    window_of "$scores" >/dev/null && break
  done
  press Tab
  press Tab
  press Tab
  press Tab
  press Return 4
  # The editor from its menu (its first item); a click marks the square at about a third
  # of the board's width, a third down (row 4 of 10) as a Border square.
  mark "$lang: the editor, a left click on a square, flat review"
  menu "$edit" "$edit_grid"
  local window width height
  window=$(window_of rolvan)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  width=$WIDTH height=$HEIGHT
  xdotool mousemove --window "$window" $((width * 30 / 100)) $((height * 38 / 100)) click 1
  sleep 2
  flat_review
  mark "$lang: Save Grid (a new game on the edited board), flat review"
  menu "$edit" "$save_grid"
  flat_review
  mark "$lang: Settings, Grid, Size: 7 by 5, flat review"
  menu "$settings" "$grid" "$size_item"
  window_of "$size" >/dev/null || echo "screen_reader.sh: no $size dialog" >&2
  press Tab 0.5
  press Tab 0.5
  press Tab 0.5
  xdotool type 7
  press Tab 0.5
  xdotool type 5
  press Return 4
  flat_review
}

if [ "$mode" = bench ]; then
  # Five runs of 200 moves each; the median says it best on a busy machine.
  runs=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
  echo "No assistive technology (no session bus, so Qt starts no AT-SPI bridge):"
  env -u DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM=xcb "$bench" "${runs[@]}" 2>/dev/null
  echo "The AT-SPI bridge on, no Orca:"
  QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$bench" "${runs[@]}" 2>/dev/null
  start_orca
  echo "Orca running:"
  QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$bench" "${runs[@]}" 2>/dev/null
  exit 0
fi

start_orca
session C.UTF-8 "Current Scores" e e s s g s "Grid Size"
session de_DE.UTF-8 "Aktueller Stand" b e s e g g "Gittergröße"
mark end
# Orca writes its log in blocks; ending it writes the rest. It takes the signal only when
# something happens to it, so a key goes to the game after it.
kill "$orca_pid"
xdotool key shift
for _ in $(seq 100); do
  kill -0 "$orca_pid" 2>/dev/null || break
  sleep 0.1
done
kill -KILL "$orca_pid" 2>/dev/null || true
wait "$orca_pid" 2>/dev/null || true
end_game

# Each section: what Orca said between its mark and the next, without the time stamps.
{
  for i in $(seq 0 $((${#sections[@]} - 2))); do
    from=${sections[$i]%%|*}
    to=${sections[$((i + 1))]%%|*}
    echo "== ${sections[$i]#*|}"
    awk -v from="$from" -v to="$to" '
      / - SPEECH OUTPUT: / {
        stamp = $1
        if (stamp < from || stamp >= to) next
        text = $0
        sub(/^[^ ]+ - SPEECH OUTPUT: \047/, "", text)
        sub(/\047 ?\[?\{.*$/, "", text)
        print "   " text
      }' "$orca_log"
  done
} | tee ${transcript:+"$transcript"}
