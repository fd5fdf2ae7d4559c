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
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/plotvane-handover-XXXXXX)
program="" xvfb="" passed=0 failed=0 skipped=""

wait_until() {  # wait_until SECONDS COMMAND...
    local until=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$until" ] || return 1
        sleep 0.05
    done
}
ended() { [ ! -e "/proc/$1" ] || [ "$(cut -d ' ' -f 3 "/proc/$1/stat" 2>/dev/null)" = Z ]; }
converted() { [ "$(wc -l <"$work/converted")" -ge "$1" ]; }
check() {
    if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}
cleanup() {
    local status=$?
    set +e
    [ -n "$program" ] && kill -KILL "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    "$source/scripts/private-cups.sh" stop "$work/cups" >/dev/null 2>&1
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT

# An X server of its own, on a display it picks itself.
start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    wait_until 30 test -s "$work/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# start_program [PATH...]: starts Plotvane and waits for its window.
start_program() {
    (umask 000; exec "$build/bin/plotvane" "$@") >>"$work/program.log" 2>&1 &
    program=$!
    wait_until 60 xdotool search --onlyvisible --name '^Plotvane$' >"$work/window" 2>/dev/null ||
        { cat "$work/program.log"; echo "FAIL: no window titled Plotvane"; exit 1; }
    window=$(head -n 1 "$work/window")
}
# print_list COUNT: presses "Start Printing" and waits for COUNT conversions.
print_list() {
    : >"$work/converted"
    xdotool mousemove --window "$window" 268 385 click 1
    wait_until 60 converted "$1" || true
    sleep 1
}

for tool in Xvfb xdotool gs cupsd setpriv /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done
"$source/scripts/private-cups.sh" start "$work/cups" Plotter_A >/dev/null
mkdir -p -m 700 "$work/home" "$work/tmp" "$work/bin" "$work/runtime" "$work/config/Tarnwell" "$work/d/folder/sub"
export CUPS_SERVER=$work/cups/cups.sock HOME=$work/home XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp
export XDG_RUNTIME_DIR=$work/runtime PATH=$work/bin:$PATH
unset WAYLAND_DISPLAY
lpadmin -d Plotter_A >/dev/null 2>&1
printf '[Plotvane]\nCombo2=0\n' >"$work/config/Tarnwell/Plotvane.conf"
gs -q -sDEVICE=pdfwrite -o "$work/page.pdf" -c showpage
for drawing in a.vsd "b c.vsdx" folder/x.vsd folder/sub/y.vdx; do echo drawing >"$work/d/$drawing"; done
cat >"$work/bin/soffice" <<STANDIN
#!/bin/sh
for a in "\$@"; do [ "\$a" = --version ] && { echo "Stand-in 1.0"; exit 0; }; done
while [ \$# -gt 1 ]; do [ "\$1" = --outdir ] && out=\$2; shift; done
echo "\$1" >>"$work/converted"
[ ! -e "$work/slow" ] || sleep 3
cp "$work/page.pdf" "\$out/page.pdf"
STANDIN
chmod +x "$work/bin/soffice"
cd "$work/d"
start_display

start_program
settings=$(md5sum <"$work/config/Tarnwell/Plotvane.conf")
started=$(date +%s%N)
"$build/bin/plotvane" a.vsd "b c.vsdx" folder/ &
second=$!
check "the second start ends within 2 s" wait_until 2 ended "$second"
status=0 && wait "$second" || status=$?
echo "the second start ended after $((($(date +%s%N) - started) / 1000000)) ms with status $status"
check "the second start ends with status 0" test "$status" = 0
check "the window keeps its title" test "$(xdotool getwindowname "$window")" = Plotvane
check "the settings are untouched" test "$(md5sum <"$work/config/Tarnwell/Plotvane.conf")" = "$settings"
print_list 4
expected=$(printf '%s\n' "$work/d/a.vsd" "$work/d/b c.vsdx" "$work/d/folder/x.vsd" "$work/d/folder/sub/y.vdx")
check "the list gains the paths in order" test "$(cat "$work/converted")" = "$expected"

socket=$(find "$work/runtime" -name 'plotvane-*.socket')
if [ "$(id -u)" = 0 ]; then
    chmod 711 "$work" "$work/runtime"
    check "another user's process is refused" test "$(setpriv --reuid=nobody --regid=nogroup --clear-groups \
        /usr/bin/python3 -c 'import socket, sys
try: socket.socket(socket.AF_UNIX).connect(sys.argv[1]); print("connected")
except OSError as e: print(type(e).__name__)' "$socket")" = PermissionError
    chmod 700 "$work" "$work/runtime"
else
    skipped="another user's process: only the superuser can act as another user"
fi

kill -KILL "$program" && wait "$program" 2>/dev/null || true
check "a killed Plotvane leaves its socket" test -S "$socket"
start_program a.vsd
touch "$work/slow"
print_list 1
"$build/bin/plotvane" folder/x.vsd
rm "$work/slow"
sleep 4
check "the next start lists a.vsd; a hand-over during its run lies beyond the run's count" \
    test "$(cat "$work/converted")" = "$work/d/a.vsd"
xdotool key Return  # "Done."
print_list 2
check "and lands after it" test "$(cat "$work/converted")" = "$(printf '%s\n' "$work/d/a.vsd" "$work/d/folder/x.vsd")"
check "and serves the socket: a start without paths hands over" timeout 10 "$build/bin/plotvane"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || exit 1
[ -z "$skipped" ] || { echo "SKIP: $skipped"; exit 77; }
