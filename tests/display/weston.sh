#!/usr/bin/env bash
# The game on a real Wayland compositor: a headless weston of its own, whose protocol log
# (WAYLAND_DEBUG=server) shows each request as the compositor receives it.
#
#   weston.sh frames UI_TESTS       the OnWayland tests of the test program against it
#   weston.sh identity GAME SOURCE  the real program: its app id is the launcher's, and it
#                                   ends cleanly when the compositor goes away
#
# Exits 77 (skipped) with a message where weston or Qt's Wayland plugin is missing or no
# compositor can start.
set -euo pipefail
mode=$1
program=$2
source_dir=${3:-}
source "$(dirname "$0")/common.sh"
need weston weston

# Wayland wants a private runtime folder; as root on a fresh machine there is none.
scratch=$(mktemp -d)
chmod 700 "$scratch"
mkdir "$scratch/config"
log=$scratch/weston.log
socket=rolvan-test-$$
compositor=""
cleanup() {
  stop_game
  if [ -n "$compositor" ]; then
    kill "$compositor" 2>/dev/null || true
    wait "$compositor" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# Pixman composes as a desktop's compositor does, and keeps up with a commit per step.
XDG_RUNTIME_DIR=$scratch WAYLAND_DEBUG=server weston --backend=headless-backend.so \
  --use-pixman --socket="$socket" --no-config --idle-time=0 >/dev/null 2>"$log" &
compositor=$!
compositor_ready() {
  [ -S "$scratch/$socket" ] && return 0
  if ! kill -0 "$compositor" 2>/dev/null; then
    grep -v '^\[ *[0-9]' "$log" | tail -n 5
    skip "weston could not start here"
  fi
  return 1
}
wait_until 60 compositor_ready || { echo "weston did not start within 60 seconds"; exit 1; }

export XDG_RUNTIME_DIR=$scratch WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
export XDG_CONFIG_HOME=$scratch/config LC_ALL=C.UTF-8
# A compositor starved of the processor by a busy machine may send a frame late; Qt would
# then take the window for hidden and keep its pictures back.
export QT_WAYLAND_FRAME_CALLBACK_TIMEOUT=5000
unset DISPLAY
no_plugin="Qt's Wayland plugin is not installed (Debian package qt6-wayland)"

case "$mode" in
  frames)
    if ! probe=$("$program" --gtest_list_tests 2>&1 >/dev/null); then
      case "$probe" in *'platform plugin "wayland"'*) skip "$no_plugin" ;; esac
      echo "$probe"
      exit 1
    fi
    # The frames are counted as the compositor reads them. A compositor starved of the
    # processor by a busy machine reads the steps of several 10 ms together and counts them
    # as one frame (seen once in 9 runs under two busy loops); a program that holds its
    # pictures back does so in every try. So a game gets three tries, each in a process and
    # a game of its own.
    for attempt in 1 2 3; do
      ROLVAN_COMPOSITOR_LOG=$log "$program" --gtest_filter='OnWayland.*' && exit 0
      echo "try $attempt of 3 failed"
    done
    exit 1
    ;;
  identity)
    desktop_id=$(basename "$source_dir"/res/desktop/*.desktop .desktop)
    start_game "$program"
    # libwayland 1.21 logs an object as xdg_toplevel@N, 1.23 as xdg_toplevel#N.
    app_id_set() {
      app_id=$(sed -n 's/.*xdg_toplevel[@#][0-9]*\.set_app_id("\(.*\)")$/\1/p' "$log" | head -n 1)
      [ -n "$app_id" ] || grep -q 'platform plugin "wayland"' "$scratch/game.out"
    }
    app_id=""
    wait_on_game app_id_set || true
    grep -q 'platform plugin "wayland"' "$scratch/game.out" && skip "$no_plugin"
    echo "app id: $app_id, launcher: $desktop_id.desktop"
    [ "$app_id" = "$desktop_id" ] || { echo "the app id is not the launcher's"; exit 1; }
    # The compositor goes once the window has shown a picture: a buffer on the surface it
    # made a window of.
    surface=$(sed -n 's/.*get_xdg_surface(.*wl_surface[@#]\([0-9]*\)).*/\1/p' "$log" | head -n 1)
    shown() { grep -q "wl_surface[@#]$surface\.attach(wl_buffer" "$log"; }
    wait_on_game shown || { echo "the window showed no picture"; exit 1; }
    kill -9 "$compositor"
    wait "$compositor" 2>/dev/null || true
    compositor=""
    expect_clean_failure
    ;;
  *)
    echo "weston.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
