#!/usr/bin/env bash
# Starts Plotvane with the README's run command in a real X window (Xvfb), with a
# private CUPS scheduler holding two queues, and checks that the main window
# shows up titled "Plotvane" with a 536 x 442 client area. Leaves a screenshot
# of the window in the build folder.
#   real_window.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/plotvane-window-XXXXXX)
program=""
xvfb=""

cleanup() {
    local status=$?
    set +e
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    "$source/scripts/private-cups.sh" stop "$work/cups" >/dev/null 2>&1
    pkill -f "$work" 2>/dev/null
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT

"$source/scripts/private-cups.sh" start "$work/cups" Plotter_A Plotter_B >/dev/null
mkdir -p "$work/home" "$work/tmp"
export CUPS_SERVER=$work/cups/cups.sock HOME=$work/home XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp
lpadmin -d Plotter_A >/dev/null 2>&1

for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$number"

PLOTVANE_BUILD_DIR=$build "$source/scripts/run.sh" </dev/null >"$work/run.log" 2>&1 &
program=$!

info=""
for _ in $(seq 1 240); do
    info=$(xwininfo -name Plotvane 2>/dev/null) && break
    kill -0 "$program" 2>/dev/null || { cat "$work/run.log"; echo "FAIL: the program ended"; exit 1; }
    sleep 0.5
done
[ -n "$info" ] || { cat "$work/run.log"; echo "FAIL: no window titled Plotvane"; exit 1; }
sleep 1
info=$(xwininfo -name Plotvane)
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
echo "window Plotvane: ${width} x ${height} at ${left},${top}"
if command -v import >/dev/null 2>&1; then
    import -window root -crop "${width}x${height}+${left}+${top}" "$build/main-window.png" 2>/dev/null || true
fi
if [ "$width" = 536 ] && [ "$height" = 442 ]; then
    echo "1 passed, 0 failed"
else
    echo "FAIL: expected 536 x 442"
    echo "0 passed, 1 failed"
    exit 1
fi
