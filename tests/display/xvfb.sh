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
#   xvfb.sh sigterm GAME WHAT       the real program ended by SIGTERM while WHAT is open;
#                                   "startup": the messages of hand-edited layout entries
#                                   that start-up shows before the main window
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

start_x_server 1024x768
mkdir -m 700 "$scratch/runtime"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
store=$XDG_CONFIG_HOME/quendel/Rolvan.conf

# The titles of the game's visible windows, one a line: the main window's, and those of
# the menus and dialogs it has open.
titles() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xdotool getwindowname "$window" 2>/dev/null || true
  done
}

# Whether the game shows $2 windows or more, one of them titled $1 (any, if $1 is empty).
shows_windows() {
  local shown
  shown=$(titles)
  { [ -z "$1" ] || grep -qxF -- "$1" <<<"$shown"; } && [ "$(wc -l <<<"$shown")" -ge "$2" ]
}

wait_for_window() {
  local from=$SECONDS
  if wait_on_game shows_windows "$@"; then
    echo "$2 window(s) with \"$1\" after $((SECONDS - from)) s"
    return 0
  fi
  echo "the game did not show $2 window(s) with one titled \"$1\"; it shows:"
  titles
  return 1
}

# Whether the window that has the keyboard focus is one of the game's: keys go there.
game_has_focus() {
  local active
  active=$(xdotool getactivewindow 2>/dev/null) || return 1
  xdotool search --onlyvisible --pid "$game" 2>/dev/null | grep -qxF -- "$active"
}

# Presses each KEY:TITLE:COUNT in turn: the key, then a wait until the game shows COUNT
# windows, one titled TITLE (any if empty), so that each key reaches what the one before
# opened.
press_and_wait() {
  local step key title count
  wait_on_game game_has_focus || { echo "the game never got the keyboard focus"; return 1; }
  for step in "$@"; do
    IFS=: read -r key title count <<<"$step"
    xdotool key "$key"
    wait_for_window "$title" "$count" || return 1
  done
}

# Opens WHAT in the running game, then takes the X server away (lost) or sends SIGTERM.
run_open_and_end() {
  # The keys that open it, each with what it opens: KEY:TITLE:COUNT, the window titled
  # TITLE (any if empty) among COUNT of the game's windows.
  steps=()
  case "$argument" in
    main) ;;
    menu) steps=(alt+f::2) ;;
    scores) steps=(alt+f::2 "s:Current Scores:2") ;;
    question) steps=(alt+f::2 r:Rolvan:2) ;;
    colour) steps=(alt+s::2 c::3 "w:Select Color:2") ;;
    # The slowest ball, so that the server goes while the ball rolls.
    roll)
      printf '[Settings]\nBallSpeed=19\n' >"$store"
      ;;
    *)
      echo "xvfb.sh: nothing called $argument to open" >&2
      exit 2
      ;;
  esac
  if [ "$mode" = sigterm ]; then
    # Whatever the program makes while it runs goes here, to be looked for at its end.
    mkdir "$scratch/tmp"
    export TMPDIR=$scratch/tmp
  fi
  start_game "$program"
  wait_for_window rolvan 1
  if [ "$mode" = sigterm ]; then
    # Settings > Level > One: a value written before the end, which must be kept.
    press_and_wait alt+s::2 l::3 o::1
    wait_until 60 grep -qx 'Level=1' "$store" || { echo "no Level=1 in $store"; exit 1; }
  fi
  press_and_wait "${steps[@]}"
  if [ "$argument" = roll ]; then
    # The ball rolls for seconds once the key is handled; the server goes meanwhile.
    xdotool key 2
    sleep 0.2
  fi
  if [ "$mode" = lost ]; then
    echo "open:" $(titles | sed 's/.*/"&"/') "; the X server goes"
    kill -9 "$server"
    wait "$server" 2>/dev/null || true
    server=""
    expect_clean_failure
    exit
  fi
  # A session manager's logout: the program ends through its normal close path, with
  # status 0 (the signal's default action would give 143), keeps what it wrote and
  # leaves nothing behind, neither in its folders nor beside its store.
  echo "open:" $(titles | sed 's/.*/"&"/') "; SIGTERM"
  kill -TERM "$game"
  status=0
  wait "$game" || status=$?
  game=""
  cat "$scratch/game.out"
  echo "the game ended with status $status"
  left=$(find "$TMPDIR" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" -name 'rolvan*' -o \
    -name '*.lock' -o -name 'Rolvan.conf.*')
  [ -z "$left" ] || echo "left behind: $left"
  grep -qx 'Level=1' "$store" || { echo "the level written before the signal is lost:"; cat "$store"; }
  [ "$status" -eq 0 ] && [ -z "$left" ] && grep -qx 'Level=1' "$store"
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
    press_and_wait alt+s::2 l::3
    xdotool key o
    wait_on_game grep -q '^Level=1' "$store" 2>/dev/null ||
      { echo "no Level=1 in $store"; ls -R "$XDG_CONFIG_HOME"; exit 1; }
    ;;
  sigterm)
    [ "$argument" = startup ] || { run_open_and_end; exit; }
    # Hand-edited entries that start-up reports one by one, before the main window opens.
    # A logout during the first message ends the program: no further message and no main
    # window open, and nothing is written.
    printf '[Settings]\nHomeCount=3\nHome0=3,4\nHome1=(5.6\nHome2=x\nLevel=3\n' >"$store"
    cp "$store" "$scratch/store.before"
    mkdir "$scratch/tmp"
    export TMPDIR=$scratch/tmp
    start_game "$program"
    wait_for_window 3,4 1
    kill -TERM "$game"
    shown=""
    # Until it has ended (and is a zombie until it is waited for).
    game_runs() {
      local state
      state=$(ps -o stat= -p "$game" 2>/dev/null) && [ "${state:0:1}" != Z ]
    }
    while game_runs; do
      shown+=$(titles)$'\n'
      sleep 0.02
    done
    status=0
    wait "$game" || status=$?
    game=""
    cat "$scratch/game.out"
    echo "the game ended with status $status; windows shown after the signal:" \
      $(sort -u <<<"$shown" | sed '/^$/d; s/.*/"&"/')
    left=$(find "$TMPDIR" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" -name 'rolvan*' -o \
      -name '*.lock' -o -name 'Rolvan.conf.*')
    [ -z "$left" ] || echo "left behind: $left"
    cmp "$store" "$scratch/store.before" || echo "the store changed"
    [ "$status" -eq 0 ] && [ -z "$left" ] && cmp -s "$store" "$scratch/store.before" &&
      ! grep -qxiF -e rolvan -e "(5.6" -e x <<<"$shown"
    ;;
  lost)
    run_open_and_end
    ;;
  *)
    echo "xvfb.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
