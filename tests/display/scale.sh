#!/usr/bin/env bash
# The screen's scale changed under the running game on a real X server: an Xvfb of its own
# with openbox, and an XSETTINGS daemon whose Xft/DPI the test changes as a desktop's
# display settings do.
#
#   scale.sh UI_TESTS    the HiDpiOnX11 tests of the test program
#
# Exits 77 (skipped) with a message where a tool is missing.
set -euo pipefail
program=$1
source "$(dirname "$0")/common.sh"
need Xvfb xvfb
need openbox openbox
need xsettingsd xsettingsd
need xprop x11-utils

scratch=$(mktemp -d)
server=""
manager=""
daemon=""
cleanup() {
  for process in "$daemon" "$manager"; do
    if [ -n "$process" ]; then kill "$process" 2>/dev/null || true; fi
  done
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

start_x_server 2400x1600
echo "Xft/DPI 98304" >"$scratch/xsettings"
xsettingsd -c "$scratch/xsettings" >"$scratch/xsettingsd.log" 2>&1 &
daemon=$!
# Clients read the settings once the daemon owns the screen's XSETTINGS selection.
xsettings_ready() {
  grep -q 'Took ownership of selection' "$scratch/xsettingsd.log"
}
wait_until 60 xsettings_ready || { echo "xsettingsd did not start within 60 seconds"; exit 1; }

mkdir -m 700 "$scratch/runtime"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$scratch/runtime LC_ALL=C.UTF-8
export ROLVAN_XSETTINGS_CONF=$scratch/xsettings ROLVAN_XSETTINGS_PID=$daemon
unset WAYLAND_DISPLAY QT_SCALE_FACTOR
"$program" --gtest_filter='HiDpiOnX11.*'
