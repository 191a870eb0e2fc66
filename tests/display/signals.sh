#!/usr/bin/env bash
# The real program ended by SIGTERM, as a session manager's logout ends it, on an Xvfb of
# its own with openbox: while WHAT is open (main, menu, scores, question, colour or roll).
# It must end through its normal close path, with status 0 (the default action of the
# signal would give 143), keep the value written before the signal, and leave nothing named
# rolvan* in its temporary or runtime folder, nor a lock or new file beside its store.
#
#   signals.sh GAME WHAT
#
# Exits 77 (skipped) with a message where a tool is missing.
set -euo pipefail
program=$1
argument=$2
source "$(dirname "$0")/common.sh"
need Xvfb xvfb
need openbox openbox
need xdotool xdotool

scratch=$(mktemp -d)
mkdir -p "$scratch/config/quendel" "$scratch/tmp"
mkdir -m 700 "$scratch/runtime"
server=""
manager=""
cleanup() {
  stop_game
  if [ -n "$manager" ]; then kill "$manager" 2>/dev/null || true; fi
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

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
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
export TMPDIR=$scratch/tmp LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
store=$XDG_CONFIG_HOME/quendel/Rolvan.conf

titles() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
    xdotool getwindowname "$window" 2>/dev/null || true
  done
}

# Waits until the game shows $2 windows or more, one of them titled $1 (any, if empty).
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

keys=()
title=""
case "$argument" in
  main) ;;
  menu) keys=(alt+f) ;;
  scores) keys=(alt+f s) title="Current Scores" ;;
  question) keys=(alt+f r) title=Rolvan ;;
  colour) keys=(alt+s c w) title="Select Color" ;;
  # The slowest ball, so that the signal comes while the ball rolls.
  roll)
    printf '[Settings]\nBallSpeed=19\n' >"$store"
    keys=(2)
    ;;
  *)
    echo "signals.sh: nothing called $argument to open" >&2
    exit 2
    ;;
esac

start_game "$program"
wait_for_window rolvan 1
# Settings > Level > One: a value written before the end, which must be kept.
for key in alt+s l o "${keys[@]}"; do
  xdotool key "$key"
  sleep 0.2
done
if [ ${#keys[@]} -gt 0 ] && [ "$argument" != roll ]; then
  wait_for_window "$title" 2
fi
echo "open:" $(titles | sed 's/.*/"&"/') "; SIGTERM"
kill -TERM "$game"
status=0
wait "$game" || status=$?
game=""
kill "$watchdog" 2>/dev/null || true
watchdog=""
cat "$scratch/game.out"
echo "the game ended with status $status"
failed=0
if [ "$status" -ne 0 ]; then
  echo "not a clean end"
  failed=1
fi
if ! grep -qx 'Level=1' "$store"; then
  echo "the level written before the signal is lost:"
  cat "$store"
  failed=1
fi
left=$(find "$TMPDIR" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" -name 'rolvan*' -o -name '*.lock' \
  -o -name 'Rolvan.conf.*')
if [ -n "$left" ]; then
  echo "left behind: $left"
  failed=1
fi
exit "$failed"
