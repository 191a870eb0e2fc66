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
# Starts the game in the background; one that has not ended 100 seconds later is killed,
# which shows as a crash.
start_game() {
  "$@" >"$scratch/game.out" 2>&1 &
  game=$!
  (sleep 100; kill -9 "$game") >/dev/null 2>&1 &
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
