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
# shellcheck source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
settings_key='HKCU\Software\VB and VBA Program Settings\Tarnwell\Plotvane'
program=""

# What the test started itself: the program, the fake server and the prefix's Wine.
end_started() {
    [ -n "$program" ] && kill "$program"
    touch "$work/stop-server"
    [ -n "${WINEPREFIX:-}" ] && wineserver -k
}
check() { rig_check "$round: $1" "${@:2}"; }
fail() { echo "FAIL: $round: $*"; [ -f "$work/program.log" ] && tail -20 "$work/program.log"; exit 1; }

# A new prefix, and the ZIP unpacked into an empty folder: sets WINEPREFIX and folder.
new_round() {
    round=$1
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    export WINEPREFIX=$work/$round/prefix
    folder=$work/$round/unpacked/Plotvane
    mkdir -p "$work/$round/unpacked"
    unzip -q "$zip" -d "$work/$round/unpacked"
    wineboot --init >"$work/$round/wineboot.log" 2>&1 || fail "wineboot: $(tail -3 "$work/$round/wineboot.log")"
    wineserver -w
}

# find_window TITLE SECONDS: prints the id of a window so titled that no earlier
# call found (Wine keeps a closed box's window for a while).
find_window() {
    local id
    for _ in $(seq 1 $(($2 * 10))); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            grep -qx "$id" "$work/found" 2>/dev/null && continue
            echo "$id" >>"$work/found"
            echo "$id"
            return
        done
        sleep 0.1
    done
    return 1
}

# The text of the next box, as the box copies it (Ctrl+C); KEY then closes it.
box_text() {
    local box
    box=$(find_window "Plotvane Batch Print" "$1") || return 1
    xdotool windowfocus --sync "$box" key ctrl+c
    sleep 0.5
    xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null | tr -d '\r'
    xdotool windowfocus --sync "$box" key "$2"
}

# reg query's value of NAME under the settings key, or nothing.
stored() {
    wine reg query "$settings_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name {print $3}'
}

start_program() {
    (cd "$folder" && exec wine plotvane.exe) >"$work/program.log" 2>&1 &
    program=$!
}

for tool in Xvfb xdotool xclip xwininfo wine unzip cupsd; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

rig_start wine
rig_on_exit end_started
# Wine's spooler lists the CUPS queues that libcups reaches: here, the private ones.
rig_cups Plotter_A Plotter_B
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The home page that about one start in a hundred opens goes to a stand-in browser.
mkdir -p "$work/opener"
printf '#!/bin/sh\necho "$@" >> "%s/opener/opened"\n' "$work" >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
export PATH=$work/opener:$PATH
rig_display

new_round bare
start_program
text=$(box_text 120 Return) || fail "no box appeared"
check "the first box says the diagram application is not installed (got: $text)" \
    grep -q "Visio is not installed on this computer" <<<"$text"
ended() { ! ps -o stat= -p "$program" | grep -qv Z; }
for _ in $(seq 1 300); do ended && break; sleep 0.1; done
check "the program ended after the box" ended
program=""

new_round printing
(cd "$work" && exec wine "$fake_server" Visio.Application "Microsoft Visio" record stop-server) >"$work/server.log" 2>&1 &
for _ in $(seq 1 300); do [ -e "$work/record" ] && break; sleep 0.1; done
[ -e "$work/record" ] || fail "the fake server did not start: $(cat "$work/server.log")"
start_program
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
