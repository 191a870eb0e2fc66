#!/usr/bin/env bash
# The game on a headless KWin (KDE Plasma's compositor), as a Plasma user meets it: started
# as the launcher starts it, a Wayland client in KWin's own frames. Each of its dialogs (Grid
# Size, Graphics Speed, About, the scores, a message box, the colour picker) must open whole,
# centred over the game, without a maximise button, and go with Escape.
#
#   kwin.sh GAME KEYS [PICTURES]
#
# KEYS is kwin_keys (keys through KWin's fake input); PICTURES a folder that keeps a picture
# of the screen with each dialog open (taken with spectacle, where it is installed). Exits 77
# (skipped) where KWin is missing or cannot start.
set -euo pipefail
program=$1
keys_program=$2
pictures=${3:-}
# A test tool: under the sanitizers, what it leaves at its exit is no leak of the game's.
keys() {
  ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "$keys_program" "$@"
}
here=$(cd "$(dirname "$0")" && pwd)
# common.sh points the session bus nowhere; inside the session, its bus is the one to keep.
session_bus=${DBUS_SESSION_BUS_ADDRESS:-}
source "$here/common.sh"
need kwin_wayland kwin-wayland
need dbus-run-session dbus-daemon
need gdbus libglib2.0-bin

if [ "${KWIN_TEST_INSIDE:-}" != 1 ]; then
  scratch=$(mktemp -d)
  session=""
  cleanup() {
    # What the session's bus started for KWin may outlive it and hold the test's output
    # open: the session's whole process group goes.
    if [ -n "$session" ]; then kill -- -"$session" 2>/dev/null || true; fi
    rm -rf "$scratch"
  }
  trap cleanup EXIT
  status=0
  KWIN_TEST_INSIDE=1 SCRATCH=$scratch setsid env -u DBUS_SESSION_BUS_ADDRESS \
    dbus-run-session -- bash "$0" "$@" &
  session=$!
  wait "$session" || status=$?
  exit "$status"
fi

export DBUS_SESSION_BUS_ADDRESS=$session_bus
scratch=$SCRATCH
desktop_session_folders

compositor=""
cleanup_inside() {
  stop_game
  if [ -n "$compositor" ]; then
    kill "$compositor" 2>/dev/null || true
    wait "$compositor" 2>/dev/null || true
  fi
}
trap cleanup_inside EXIT

# KWin comes with the right to raise its limits (a file capability), which a container may
# refuse it; a copy without it starts there all the same.
cp "$(command -v kwin_wayland)" "$scratch/kwin_wayland"
# Any client may press keys and take pictures; the scripts' print() reaches KWin's log.
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES="kwin_scripting.debug=true" \
  "$scratch/kwin_wayland" --virtual --width 1280 --height 800 --socket rolvan-kwin \
  >"$scratch/kwin.log" 2>&1 &
compositor=$!
kwin_ready() {
  kill -0 "$compositor" 2>/dev/null || {
    tail -n 20 "$scratch/kwin.log"
    skip "KWin could not start here"
  }
  [ -S "$XDG_RUNTIME_DIR/rolvan-kwin" ] &&
    gdbus introspect --session --dest org.kde.KWin --object-path /Scripting >/dev/null 2>&1
}
wait_until 120 kwin_ready || { echo "KWin did not start within 120 seconds"; exit 1; }
export WAYLAND_DISPLAY=rolvan-kwin XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
echo "$("$scratch/kwin_wayland" --version 2>&1 | tail -n 1) ready after $SECONDS s"

# Every window KWin manages, one a line: title, x, y, width, height (its frame), whether it
# can be minimised, maximised and closed, whether it is active, its launcher's id. Read by
# a script run inside KWin, which prints them to KWin's log. Each query has a number of its
# own, counted in a file: the callers run it in subshells.
windows() {
  local queries script
  queries=$(($(cat "$scratch/queries" 2>/dev/null || echo 0) + 1))
  echo "$queries" >"$scratch/queries"
  script=$scratch/windows-$queries.js
  cat >"$script" <<EOF
// KWin 6 calls them windows, KWin 5 clients.
const clients = workspace.windowList ? workspace.windowList() : workspace.clientList();
const active = workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient;
for (let i = 0; i < clients.length; ++i) {
    const c = clients[i];
    const g = c.frameGeometry;  // in KWin 6, of logical pixels that may be fractions
    print("window-$queries\t" + c.caption + "\t" + Math.round(g.x) + "\t" + Math.round(g.y) +
          "\t" + Math.round(g.width) + "\t" + Math.round(g.height) + "\t" + c.minimizable + "\t" + c.maximizable + "\t" + c.closeable + "\t" +
          (active === c) + "\t" + c.desktopFileName);
}
print("window-$queries-end");
EOF
  gdbus call --session --dest org.kde.KWin --object-path /Scripting \
    --method org.kde.kwin.Scripting.loadScript "$script" "rolvan-$queries" >/dev/null
  gdbus call --session --dest org.kde.KWin --object-path /Scripting \
    --method org.kde.kwin.Scripting.start >/dev/null
  wait_until 10 grep -aq "window-$queries-end" "$scratch/kwin.log" || return 1
  gdbus call --session --dest org.kde.KWin --object-path /Scripting \
    --method org.kde.kwin.Scripting.unloadScript "rolvan-$queries" >/dev/null || true
  grep -a "window-$queries	" "$scratch/kwin.log" | cut -f 2-
}
window_line() {
  windows | awk -F '\t' -v title="$1" '$1 == title' | head -n 1
}
active() { [ "$(window_line "$1" | cut -f 9)" = true ]; }
gone() { [ -z "$(window_line "$1")" ]; }

failures=0
fail() {
  echo "  FAIL: $*"
  failures=$((failures + 1))
}

picture() {
  [ -n "$pictures" ] && command -v spectacle >/dev/null || return 0
  # Spectacle is a Qt 5 program: it needs Qt 5's Wayland plugin, not the game's.
  QT_QPA_PLATFORM=wayland timeout 20 spectacle -b -n -f -o "$pictures/$1.png" >/dev/null 2>&1 || true
}

# check NAME TITLE KEY...: opens the dialog with the keys, checks it and closes it with Escape.
check() {
  local name=$1 title=$2 line x y w h minimise maximise close dx dy
  shift 2
  wait_on_game active rolvan || { fail "the game's window did not get the focus back"; return; }
  keys "$@"
  # On a busy machine a key can reach a menu before it has opened; the menus are closed
  # and the keys pressed once more.
  if ! wait_until 15 active "$title"; then
    echo "  $name: no \"$title\" after ${*}, so once more"
    keys Escape Escape Escape
    wait_on_game active rolvan || true
    keys "$@"
  fi
  if ! wait_on_game active "$title"; then
    fail "$name: no active window \"$title\" after ${*}"
    windows
    return
  fi
  sleep 0.3
  IFS=$'\t' read -r _ x y w h minimise maximise close _ _ <<<"$(window_line "$title")"
  dx=$((x + w / 2 - (main_x + main_w / 2)))
  dy=$((y + h / 2 - (main_y + main_h / 2)))
  echo "  $name: \"$title\" $w x $h at ($x, $y), its centre ($dx, $dy) from the game's;" \
    "minimise $minimise, maximise $maximise, close $close"
  picture "kwin-$name"
  if [ "${dx#-}" -gt 48 ] || [ "${dy#-}" -gt 48 ]; then fail "$name: not over the game's centre"; fi
  if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt 1280 ] || [ $((y + h)) -gt 800 ]; then
    fail "$name: not whole on the screen"
  fi
  [ "$close" = true ] || fail "$name: no close box"
  # KWin gives every dialog a minimise button, on Wayland as on X11: no hint of a client's
  # takes it away, only the user's window rules. Maximise goes with a fixed size.
  [ "$maximise" = false ] || fail "$name: a maximise button"
  keys Escape
  if ! wait_until 10 gone "$title"; then
    fail "$name: Escape did not close it"
    keys Escape
    wait_on_game gone "$title" || echo "  nor did a second Escape"
  fi
}

start_game "$program"
wait_on_game active rolvan || { echo "the game's window did not show"; windows; exit 1; }
IFS=$'\t' read -r _ main_x main_y main_w main_h minimise maximise _ _ app_id <<<"$(window_line rolvan)"
echo "the game's window: $main_w x $main_h at ($main_x, $main_y), launcher $app_id," \
  "minimise $minimise, maximise $maximise"
# The game's own window keeps its buttons.
[ "$minimise" = true ] && [ "$maximise" = true ] || fail "the game's window lost a button"
picture kwin-main
check_dialogs
stop_game
[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
