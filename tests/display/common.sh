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

game=""
watchdog=""
# Starts the game in the background; one that has not ended 30 seconds later is killed,
# which shows as a crash.
start_game() {
  "$@" >"$scratch/game.out" 2>&1 &
  game=$!
  (sleep 30; kill -9 "$game") >/dev/null 2>&1 &
  watchdog=$!
}

# Waits for the game to end after its display server went away: it must end by itself with
# a status of its own, not 0 and not a signal (128 and more).
expect_clean_failure() {
  local status=0
  wait "$game" || status=$?
  game=""
  kill "$watchdog" 2>/dev/null || true
  watchdog=""
  cat "$scratch/game.out"
  echo "the game ended with status $status"
  [ "$status" -ne 0 ] && [ "$status" -lt 128 ]
}

stop_game() {
  if [ -n "$watchdog" ]; then kill "$watchdog" 2>/dev/null || true; fi
  if [ -n "$game" ]; then kill -9 "$game" 2>/dev/null || true; fi
  game=""
  watchdog=""
}
