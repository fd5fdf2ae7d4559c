#!/usr/bin/env bash
# Hands paths over to the real program under Xvfb. A stand-in `soffice` writes
# down each drawing it converts, so a print run shows the list in order.
#   1. `plotvane a.vsd "b c.vsdx" folder/` while Plotvane runs: ends within 2 s
#      with status 0; title and settings stay; the list gains them in order.
#   2. Another user cannot reach the socket, even where the folder lets him in.
#   3. After a SIGKILL, `plotvane a.vsd` takes over the stale socket and lists
#      a.vsd; a hand-over during its run lands after the run's count.
#   hand_over.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
program="" skipped=""

converted() { [ "$(wc -l <"$STAND_IN_MARKS/converted")" -ge "$1" ]; }
end_program() { [ -z "$program" ] || kill -KILL "$program" 2>/dev/null; }

# start_program [PATH...]: starts Plotvane and waits for its window.
start_program() {
    (umask 000; exec "$build/bin/plotvane" "$@") >>"$work/program.log" 2>&1 &
    program=$!
    window=$(rig_window '^Plotvane$' 60 "$program") || { cat "$work/program.log"; echo "FAIL: no window titled Plotvane"; exit 1; }
}
# print_list COUNT: presses "Start Printing" and waits for COUNT conversions.
print_list() {
    : >"$STAND_IN_MARKS/converted"
    rig_press "$window" "Start Printing"
    rig_wait_until 60 converted "$1" || true
    sleep 1
}

rig_needs Xvfb xdotool gs cupsd setpriv /usr/bin/python3
rig_start handover
rig_on_exit end_program
rig_cups Plotter_A
chmod 700 "$work/home" "$work/tmp"
mkdir -p -m 700 "$work/runtime" "$work/config/Tarnwell" "$work/d/folder/sub"
export XDG_RUNTIME_DIR=$work/runtime
rig_stand_in soffice-records
unset WAYLAND_DISPLAY
printf '[Plotvane]\nCombo2=0\n' >"$work/config/Tarnwell/Plotvane.conf"
gs -q -sDEVICE=pdfwrite -o "$STAND_IN_MARKS/page.pdf" -c showpage
for drawing in a.vsd "b c.vsdx" folder/x.vsd folder/sub/y.vdx; do echo drawing >"$work/d/$drawing"; done
cd "$work/d"
rig_display

start_program
settings=$(md5sum <"$work/config/Tarnwell/Plotvane.conf")
started=$(date +%s%N)
"$build/bin/plotvane" a.vsd "b c.vsdx" folder/ &
second=$!
rig_check "the second start ends within 2 s" rig_wait_until 2 rig_gone "$second"
status=0 && wait "$second" || status=$?
echo "the second start ended after $((($(date +%s%N) - started) / 1000000)) ms with status $status"
rig_check "the second start ends with status 0" test "$status" = 0
rig_check "the window keeps its title" test "$(xdotool getwindowname "$window")" = Plotvane
rig_check "the settings are untouched" test "$(md5sum <"$work/config/Tarnwell/Plotvane.conf")" = "$settings"
print_list 4
expected=$(printf '%s\n' "$work/d/a.vsd" "$work/d/b c.vsdx" "$work/d/folder/x.vsd" "$work/d/folder/sub/y.vdx")
rig_check "the list gains the paths in order" test "$(cat "$STAND_IN_MARKS/converted")" = "$expected"

socket=$(find "$work/runtime" -name 'plotvane-*.socket')
if [ "$(id -u)" = 0 ]; then
    chmod 711 "$work" "$work/runtime"
    rig_check "another user's process is refused" test "$(setpriv --reuid=nobody --regid=nogroup --clear-groups \
        /usr/bin/python3 -c 'import socket, sys
try: socket.socket(socket.AF_UNIX).connect(sys.argv[1]); print("connected")
except OSError as e: print(type(e).__name__)' "$socket")" = PermissionError
    chmod 700 "$work" "$work/runtime"
else
    skipped="another user's process: only the superuser can act as another user"
fi

kill -KILL "$program" && wait "$program" 2>/dev/null || true
rig_check "a killed Plotvane leaves its socket" test -S "$socket"
start_program a.vsd
touch "$STAND_IN_MARKS/slow"
print_list 1
"$build/bin/plotvane" folder/x.vsd
rm "$STAND_IN_MARKS/slow"
sleep 4
rig_check "the next start lists a.vsd; a hand-over during its run lies beyond the run's count" \
    test "$(cat "$STAND_IN_MARKS/converted")" = "$work/d/a.vsd"
xdotool key Return  # "Done."
print_list 2
rig_check "and lands after it" test "$(cat "$STAND_IN_MARKS/converted")" = "$(printf '%s\n' "$work/d/a.vsd" "$work/d/folder/x.vsd")"
rig_check "and serves the socket: a start without paths hands over" timeout 10 "$build/bin/plotvane"

rig_finish || exit 1
[ -z "$skipped" ] || { echo "SKIP: $skipped"; exit 77; }
