#!/usr/bin/env bash
# Starts Plotvane with the README's run command in a real X window (Xvfb), with a
# private CUPS scheduler holding two queues, and checks that the main window
# shows up titled "Plotvane" with a 536 x 442 client area. Leaves a screenshot
# of the window in the build folder.
#   real_window.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
rig_start window
rig_cups Plotter_A Plotter_B
rig_display

PLOTVANE_BUILD_DIR=$build "$source/scripts/run.sh" </dev/null >"$work/run.log" 2>&1 &
program=$!
# The run command's program, and whatever it started, end with the test.
rig_on_exit pkill -f "$work"
rig_on_exit kill "$program"

window=$(rig_window '^Plotvane$' 120 "$program") || { cat "$work/run.log"; echo "FAIL: no window titled Plotvane"; exit 1; }
sleep 1
info=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
echo "window Plotvane: ${width} x ${height} at ${left},${top}"
if command -v import >/dev/null 2>&1; then
    import -window root -crop "${width}x${height}+${left}+${top}" "$build/main-window.png" 2>/dev/null || true
fi
rig_check "expected 536 x 442" test "$width x $height" = "536 x 442"
rig_finish
