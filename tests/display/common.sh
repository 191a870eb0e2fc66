# Sourced by the display tests: skipping, and a game process watched to its end.

skip() {
  echo "SKIPPED: $*"
  exit 77
}

need() {
  command -v "$1" >/dev/null || skip "$1 is not installed (Debian package $2)"
}

# No session bus. Without an address, libdbus under X starts `dbus-launch --autolaunch` for
# the game's accessibility and theme lookups and reads its answer on a thread of its own;
# a game that ends meanwhile leaves that read's buffer behind. An address that refuses at
# once keeps Qt from looking any further.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/dev/null

# Runs COMMAND... every 50 ms until it succeeds, for at most SECONDS; fails if it never
# did. A busy machine can take many seconds to start a server or show a window, so the
# bounds are generous: a ready one passes at once, and only a broken one waits them out.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Waits on the condition COMMAND... while the game runs; fails when the game has ended or
# after 60 seconds.
wait_on_game() {
  wait_until 60 game_waited_on "$@"
}
game_waited_on() {
  "$@" && return 0
  if ! kill -0 "$game" 2>/dev/null; then
    echo "the game ended early:"
    cat "$scratch/game.out"
    exit 1
  fi
  return 1
}

game=""
watchdog=""
# Starts the game in the background; one that has not ended $game_lifetime seconds (100
# unless the caller says) later is killed, which shows as a crash.
start_game() {
  "$@" >"$scratch/game.out" 2>&1 &
  game=$!
  # Its sleep goes with it when stop_game ends it, so that nothing of the test stays behind.
  (
    sleep "${game_lifetime:-100}" &
    trap 'kill $! 2>/dev/null; exit 0' TERM
    wait $!
    kill -9 "$game"
  ) >/dev/null 2>&1 &
  watchdog=$!
}

# Waits for the game to end after its display server went away: it must end by itself with
# a status of its own, not 0 and not a signal (128 + the signal's number, up to 64). Qt 6.4
# ends it with 1 when the Wayland compositor goes, Qt 6.8 with 255.
expect_clean_failure() {
  local status=0
  wait "$game" || status=$?
  game=""
  kill "$watchdog" 2>/dev/null || true
  watchdog=""
  cat "$scratch/game.out"
  echo "the game ended with status $status"
  [ "$status" -ne 0 ] && { [ "$status" -le 128 ] || [ "$status" -gt 192 ]; }
}

stop_game() {
  if [ -n "$watchdog" ]; then kill "$watchdog" 2>/dev/null || true; fi
  if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null || true; fi
  game=""
  watchdog=""
}

# Starts an Xvfb of its own with a screen of SIZE (as 1024x768) and openbox on it, in the
# folder $scratch; sets DISPLAY, and $server and $manager for the caller's cleanup.
start_x_server() {
  # Xvfb picks a free display and writes its number to the descriptor it is given, once it
  # takes clients.
  exec 3>"$scratch/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  server=$!
  exec 3>&-
  server_ready() {
    [ -s "$scratch/display" ] && return 0
    kill -0 "$server" 2>/dev/null || skip "Xvfb could not start here"
    return 1
  }
  wait_until 60 server_ready || { echo "Xvfb did not start within 60 seconds"; exit 1; }
  export DISPLAY=:$(cat "$scratch/display")
  # A window mapped while the manager starts up can stay unmanaged and hidden, so the game
  # starts only once openbox manages the screen. Seen once in a busy run of the whole suite:
  # openbox ended at its start; it then says why and gets two more tries.
  manager_tries=0
  start_manager() {
    manager_tries=$((manager_tries + 1))
    openbox >"$scratch/openbox.log" 2>&1 &
    manager=$!
  }
  manager_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    if ! kill -0 "$manager" 2>/dev/null; then
      wait "$manager" && status=0 || status=$?
      echo "openbox ended at its start with status $status:"
      cat "$scratch/openbox.log"
      [ "$manager_tries" -lt 3 ] || exit 1
      start_manager
    fi
    return 1
  }
  start_manager
  wait_until 60 manager_ready || { echo "openbox did not start within 60 seconds"; exit 1; }
  echo "Xvfb and openbox ready after $SECONDS s"
}

# A home, runtime and settings folder of the test's own in $scratch for a desktop session
# that the test starts, with nothing of the caller's display or Qt settings.
desktop_session_folders() {
  mkdir -m 700 "$scratch/runtime"
  mkdir -p "$scratch/home" "$scratch/config/quendel"
  export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config
  export LC_ALL=C.UTF-8
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_WAYLAND_DECORATION
}

# Every dialog and message box the desktop tests open from the main window: a name, the
# window's title and the keys that open it, Grid Size first.
every_dialog=(
  "grid:Grid Size:alt+s g s"
  "speed:Graphics Speed:alt+s b Return"
  "about:About rolvan:alt+h a"
  "scores:Current Scores:alt+f s"
  "question:Rolvan:alt+f r"
  "colour:Select Color:alt+s c w"
)

# Runs `check NAME TITLE KEY...` for the first COUNT of them (all without COUNT).
check_dialogs() {
  local step name title keys
  for step in "${every_dialog[@]:0:${1:-${#every_dialog[@]}}}"; do
    IFS=: read -r name title keys <<<"$step"
    # shellcheck disable=SC2086 # the keys are words of their own
    check "$name" "$title" $keys
  done
}
