#!/usr/bin/env bash
# Reads the real window as a screen reader does, through AT-SPI on a session
# bus of its own under Xvfb. The tree holds every control with its role and
# name; pressing "Start Printing" through AT-SPI on a list of one drawing
# announces "Processing: " with its name, then the drawing's outcome as the
# entry's description. A stand-in `soffice` cannot load the drawing.
#   screen_reader.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
rig_needs Xvfb cupsd dbus-run-session "$build/bin/plotvane"
/usr/bin/python3 -c 'import pyatspi' || { echo "FAIL: python3-pyatspi is missing"; exit 1; }
rig_start reader
rig_cups Plotter_A
rig_display
mkdir -p -m 700 "$work/runtime" "$work/config/Tarnwell" "$work/d"
export XDG_RUNTIME_DIR=$work/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
rig_stand_in soffice-fails
printf '[Plotvane]\nCombo2=0\n' >"$work/config/Tarnwell/Plotvane.conf"
echo drawing >"$work/d/plan.vsd"

dbus-run-session -- /usr/bin/python3 - "$build/bin/plotvane" "$work/d/plan.vsd" >"$work/heard" 2>"$work/reader.log" <<'READER' || true
import subprocess, sys, time
import pyatspi
from gi.repository import GLib
program = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
def window():
    for app in pyatspi.Registry.getDesktop(0):
        for frame in app or []:
            if frame and frame.name == "Plotvane":
                return frame
def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)
try:
    for _ in range(600):
        frame = window()
        if frame and any(n.name.endswith("/plan.vsd") for n in walk(frame)):  # the list holds it
            break
        time.sleep(0.1)
    controls = list(walk(frame))
    for node in controls:
        print("control", node.getRoleName(), "|", node.name, flush=True)
    announced = []
    def heard(event):
        told = event.source.description if event.type.endswith("description") else event.source.name
        print("heard", event.type, "|", event.source.getRoleName(), "|", told, flush=True)
        announced.append(told)
        if told.startswith("Processing: "):
            GLib.timeout_add_seconds(5, pyatspi.Registry.stop)  # and the outcome that follows
    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name",
                                           "object:property-change:accessible-description")
    start = next(n for n in controls if n.name == "Start Printing")
    GLib.idle_add(lambda: start.queryAction().doAction(0) and False)
    GLib.timeout_add_seconds(60, pyatspi.Registry.stop)
    pyatspi.Registry.start()
finally:
    program.terminate()
    try:
        print("ended", program.wait(10), flush=True)
    except subprocess.TimeoutExpired:
        program.kill()
READER
cat "$work/heard"
for control in "push button|Move Up" "push button|Move Down" "push button|Add Visio File(s)" \
    "push button|Add All Visio Files In Folder" "push button|Clear List" "push button|Load Sample/Example Files" \
    "push button|About the pause" "push button|Start Printing" "table|Files to print" "panel|Select Printer" \
    "panel|Pause Option" "combo box|Plotter_A" "combo box|0 seconds" "progress bar|Progress Bar"; do
    rig_check "the tree lists the $control" grep -qxF "control ${control%|*} | ${control#*|}" "$work/heard"
done
rig_check "the run announces the drawing" \
    grep -qxF "heard object:property-change:accessible-name | progress bar | Processing: plan.vsd" "$work/heard"
rig_check "the entry's outcome is told" grep -q "^heard object:property-change:accessible-description | table cell | ." "$work/heard"
rig_check "the program ended" grep -qx "ended 0" "$work/heard"
rig_finish || { cat "$work/reader.log"; exit 1; }
