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

exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 2400x1600x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
exec 3>&-
for _ in $(seq 200); do
  [ -s "$scratch/display" ] && break
  sleep 0.05
done
[ -s "$scratch/display" ] || skip "Xvfb could not start here"
export DISPLAY=:$(cat "$scratch/display")
openbox >/dev/null 2>&1 &
manager=$!
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
echo "Xft/DPI 98304" >"$scratch/xsettings"
xsettingsd -c "$scratch/xsettings" >/dev/null 2>&1 &
daemon=$!
# The daemon owns the screen's XSETTINGS selection once it has published its settings.
for _ in $(seq 200); do
  xprop -root -notype _XSETTINGS_SETTINGS 2>/dev/null | grep -qv 'not found' && break
  sleep 0.05
done

mkdir -m 700 "$scratch/runtime"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$scratch/runtime LC_ALL=C.UTF-8
export ROLVAN_XSETTINGS_CONF=$scratch/xsettings ROLVAN_XSETTINGS_PID=$daemon
unset WAYLAND_DISPLAY QT_SCALE_FACTOR
"$program" --gtest_filter='HiDpiOnX11.*'
