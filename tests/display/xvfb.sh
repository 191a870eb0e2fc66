#!/usr/bin/env bash
# The game on a real X server: an Xvfb of its own with openbox as window manager, so that
# windows take the focus as on a desktop.
#
#   xvfb.sh keys UI_TESTS           the OnX11 tests of the test program: real key events
#                                   on French and Belgian layouts
#   xvfb.sh identity GAME SOURCE    the real program's WM_CLASS against its launcher, and
#                                   its settings store where it always was
#   xvfb.sh lost GAME WHAT          the X server killed under the real program while WHAT
#                                   is open: main, menu, scores, question, colour or roll
#
# Exits 77 (skipped) with a message where a tool is missing.
set -euo pipefail
mode=$1
program=$2
argument=${3:-}
source "$(dirname "$0")/common.sh"
need Xvfb xvfb
need openbox openbox
need xdotool xdotool
need setxkbmap x11-xkb-utils
need xprop x11-utils

scratch=$(mktemp -d)
mkdir -p "$scratch/config/quendel"
server=""
manager=""
cleanup() {
  stop_game
  if [ -n "$manager" ]; then kill "$manager" 2>/dev/null || true; fi
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to the descriptor it is given.
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.05
done
[ -s "$scratch/display" ] || skip "Xvfb could not start here"
export DISPLAY=:$(cat "$scratch/display")
openbox >/dev/null 2>&1 &
manager=$!
# A window mapped while the manager starts up can stay unmanaged and hidden.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
mkdir -m 700 "$scratch/runtime"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY

# The titles of the game's visible windows, one a line: the main window's, and those of
# the menus and dialogs it has open.
titles() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xdotool getwindowname "$window" 2>/dev/null || true
  done
}

# Waits until the game shows $2 windows or more, one of them titled $1 (any, if $1 is
# empty).
wait_for_window() {
  for _ in $(seq 100); do
    local shown
    shown=$(titles)
    if { [ -z "$1" ] || grep -qxF -- "$1" <<<"$shown"; } && [ "$(wc -l <<<"$shown")" -ge "$2" ]; then
      return 0
    fi
    kill -0 "$game" 2>/dev/null || break
    sleep 0.05
  done
  echo "the game did not show $2 window(s) with one titled \"$1\"; it shows:"
  titles
  return 1
}

case "$mode" in
  keys)
    "$program" --gtest_filter='OnX11.*'
    ;;
  identity)
    launcher=$(ls "$argument"/res/desktop/*.desktop)
    start_game "$program"
    wait_for_window rolvan 1
    window=$(xdotool search --onlyvisible --pid "$game" | head -n 1)
    wm_class=$(xprop -id "$window" WM_CLASS)
    startup_class=$(sed -n 's/^StartupWMClass=//p' "$launcher")
    echo "$wm_class; the launcher's StartupWMClass: $startup_class"
    # WM_CLASS(STRING) = "instance", "class": desktops match the class.
    if [ -z "$startup_class" ] || [[ "$wm_class" != *", \"$startup_class\"" ]]; then
      echo "the window's class is not the launcher's StartupWMClass"
      exit 1
    fi
    # The settings store stays where it always was, whatever the windows are called:
    # Settings > Level > One writes it.
    for key in alt+s l o; do
      xdotool key "$key"
      sleep 0.2
    done
    store=$XDG_CONFIG_HOME/quendel/Rolvan.conf
    for _ in $(seq 50); do
      grep -q '^Level=1' "$store" 2>/dev/null && break
      sleep 0.1
    done
    grep -q '^Level=1' "$store" || { echo "no Level=1 in $store"; ls -R "$XDG_CONFIG_HOME"; exit 1; }
    ;;
  lost)
    # The keys that open it, and the title of the window it opens (none for the menu: any
    # second window).
    keys=()
    title=""
    case "$argument" in
      main) ;;
      menu) keys=(alt+f) ;;
      scores) keys=(alt+f s) title="Current Scores" ;;
      question) keys=(alt+f r) title=Rolvan ;;
      colour) keys=(alt+s c w) title="Select Color" ;;
      # The slowest ball, so that the server goes while the ball rolls.
      roll)
        printf '[Settings]\nBallSpeed=19\n' >"$scratch/config/quendel/Rolvan.conf"
        keys=(2)
        ;;
      *)
        echo "xvfb.sh: nothing called $argument to open" >&2
        exit 2
        ;;
    esac
    start_game "$program"
    wait_for_window rolvan 1
    for key in "${keys[@]}"; do
      xdotool key "$key"
      sleep 0.2
    done
    if [ ${#keys[@]} -gt 0 ] && [ "$argument" != roll ]; then
      wait_for_window "$title" 2
    fi
    echo "open:" $(titles | sed 's/.*/"&"/') "; the X server goes"
    kill -9 "$server"
    wait "$server" 2>/dev/null || true
    server=""
    expect_clean_failure
    ;;
  *)
    echo "xvfb.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
