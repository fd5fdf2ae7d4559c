#!/usr/bin/env bash
# The Windows ZIP as a user gets it, under Wine in a real X window (Xvfb), each
# round unpacked into an empty folder and started in a throwaway Wine prefix
# whose printers are the queues of a private CUPS scheduler:
#   bare     no diagram application registered: the first box says it is not
#            installed (so no DLL or plugin is missing), and the program ends
#   printing the fake automation server registered as Visio.Application in a
#            process of its own: the window is 536 x 442, the first start stores
#            the pause position 5, the samples are printed onto the chosen
#            printer with the 0-second pause, the server sees each file's
#            members in order, and "Done." is shown
#   program_under_wine.sh ZIP FAKE_SERVER_EXE
set -euo pipefail
zip=$(realpath "$1")
fake_server=$(realpath "$2")
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
# shellcheck source-path=SCRIPTDIR source=wine-rig.sh
source "$(dirname "$0")/wine-rig.sh"

# A new prefix, and the ZIP unpacked into an empty folder: sets WINEPREFIX and folder.
new_round() {
    round=$1
    folder=$work/$round/unpacked/Plotvane
    mkdir -p "$work/$round/unpacked"
    unzip -q "$zip" -d "$work/$round/unpacked"
    new_prefix "$work/$round/prefix"
}

command -v unzip >/dev/null || { echo "FAIL: unzip is missing"; exit 1; }
wine_rig_start wine Plotter_A Plotter_B

new_round bare
check_not_installed "$folder/plotvane.exe"

new_round printing
start_server "$fake_server"
start_program "$folder/plotvane.exe"
window=$(find_window Plotvane 120) || fail "no window titled Plotvane"
sleep 1
size=$(xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w " x " h}')
check "the window is 536 x 442 (got $size)" test "$size" = "536 x 442"
check "the first start stored the pause position 5" test "$(stored Combo2)" = 5

# pick X Y KEY KEYNAME POSITION: a click gives the selector at X,Y the focus (and
# opens its list, which Escape closes); KEY then picks an entry. Without a window
# manager Wine sometimes loses the first keys, so the gesture is made again
# (three times at most) until the store holds the position the entry has.
pick() {
    local try
    for try in 1 2 3; do
        xdotool windowfocus --sync "$window"
        xdotool mousemove --window "$window" "$1" "$2" click 1 sleep 1.5 key Escape sleep 0.5 key "$3"
        sleep 0.5
        [ "$(stored "$4")" = "$5" ] && return 0
    done
}
pick 268 281 End Combo1 1   # the printer: Plotter_B
pick 248 340 Home Combo2 0  # the pause: 0 seconds
xdotool mousemove --window "$window" 400 231 click 1                            # Load Sample/Example Files
box=$(find_window "Plotvane Batch Print" 30) || fail "no question about the samples' folder"
xdotool windowfocus --sync "$box" key Escape
xdotool mousemove --window "$window" 268 385 click 1                            # Start Printing
text=$(box_text 120 Return) || fail "no box at the end of the run"
check "the run ends with \"Done.\" (got: $text)" grep -qx "Done." <<<"$text"
check "the pause position 0 is stored" test "$(stored Combo2)" = 0

# What the server saw, without the name look-ups: the start-up check's instance,
# then per sample, in the list's (name) order, open, printer, print, quit.
{
    printf '%s\n' create 'Application.call(Quit)'
    while read -r sample; do
        printf '%s\n' create 'Application.get(Documents)' "Documents.call(Open; \"$(winepath -w "$sample")\")" \
            'Application.put(ActivePrinter; PROPERTYPUT="Plotter_B")' 'Application.get(ActiveDocument)' \
            'Document.call(PrintOut; PrintRange=I2:0)' 'Application.call(Quit)'
    done < <(find "$folder/Samples" -type f | LC_ALL=C sort -f)
} >"$work/expected"
grep -v '\.names(' "$work/record" >"$work/seen" || true
check "the server saw each sample's members in order" diff -u "$work/expected" "$work/seen"

rig_finish
