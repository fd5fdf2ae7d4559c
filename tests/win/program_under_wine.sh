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
#            members in order, and "Done." is shown; with the list cleared,
#            a second start hands a drawing with a non-ASCII name and a
#            folder to the window and ends with 0, the next run opens
#            exactly those in order, the name intact, and its record under
#            %LOCALAPPDATA% reads back as CSV with them; that run, ended with
#            the window in the background, puts an icon with its message in
#            the notification area (the first, in the active window, did not),
#            and "Open Last Run Record" hands the record through the shell to
#            the program registered for .csv files
#   console  plotvane-cli.exe --print, with no window: the same members per
#            sample on the printer given, a line per file and the counts on
#            its standard output, and its exit status reaches the shell: 0
#            when all were sent, 1 with a missing file (the others still
#            printed), 2 for an unknown option or an unknown printer
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

rig_needs unzip
wine_rig_start wine Plotter_A Plotter_B

new_round bare
check_not_installed "$folder/plotvane.exe"

new_round printing
# The notification area (Wine's explorer, started by the server or the
# program) tells in its log what reached it.
export WINEDEBUG=-all,trace+systray
start_server "$fake_server"
start_program "$folder/plotvane.exe"
window=$(find_window Plotvane 120) || fail "no window titled Plotvane"
sleep 1
size=$(xwininfo -id "$window" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w " x " h}')
check "the window is 536 x 442 (got $size)" test "$size" = "536 x 442"
check "the first start stored the pause position 5" test "$(stored Combo2)" = 5

# pick NAME KEY KEYNAME POSITION: a click gives the selector NAME the focus (and
# opens its list, which Escape closes); KEY then picks an entry. Without a window
# manager Wine sometimes loses the first keys, so the gesture is made again
# (three times at most) until the store holds the position the entry has.
pick() {
    local try
    for try in 1 2 3; do
        xdotool windowfocus --sync "$window"
        rig_press "$window" "$1" sleep 1.5 key Escape sleep 0.5 key "$2"
        sleep 0.5
        [ "$(stored "$3")" = "$4" ] && return 0
    done
}
pick "Select Printer" End Combo1 1  # Plotter_B
pick "Pause Option" Home Combo2 0   # 0 seconds
rig_press "$window" "Load Sample/Example Files"
box=$(find_window "Plotvane Batch Print" 30) || fail "no question about the samples' folder"
xdotool windowfocus --sync "$box" key Escape
# The focus went with the box: the window gets it back before the click, which it otherwise lost
# now and then.
xdotool windowfocus --sync "$window"
rig_press "$window" "Start Printing"
text=$(box_text 120 Return) || fail "no box at the end of the run"
check "the run ends with \"Done.\" (got: $text)" grep -qx "Done." <<<"$text"
check "the pause position 0 is stored" test "$(stored Combo2)" = 0
tray_icon() { xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null || true; }
check "a run ended in the active window leaves the notification area empty" test -z "$(tray_icon)"

# members PRINTER FILE...: what the server sees of a run, without the name
# look-ups: the start-up check's instance, then per file open, printer, print, quit.
members() {
    local printer=$1 file
    shift
    printf '%s\n' create 'Application.call(Quit)'
    for file in "$@"; do
        printf '%s\n' create 'Application.get(Documents)' "Documents.call(Open; \"$(winepath -w "$file")\")" \
            "Application.put(ActivePrinter; PROPERTYPUT=\"$printer\")" 'Application.get(ActiveDocument)' \
            'Document.call(PrintOut; PrintRange=I2:0)' 'Application.call(Quit)'
    done
}
# seen [N]: those the server saw after its first N calls.
seen() { sleep 0.5 && tail -n +$((${1:-0} + 1)) "$work/record" | grep -v '\.names(' || true; }
mapfile -t samples < <(find "$folder/Samples" -type f | LC_ALL=C sort -f)
members Plotter_B "${samples[@]}" >"$work/expected"
check "the server saw each sample's members in order, in the list's (name) order" \
    diff -u "$work/expected" <(seen)

# Start Printing on the cleared list tells "No files added.": the clear is
# handled before anything is handed over.
rig_press "$window" "Clear List"
sleep 0.5
rig_press "$window" "Start Printing"
text=$(box_text 60 Return) || fail "no box after Clear List"
check "the cleared list has no files (got: $text)" grep -qx "No files added." <<<"$text"
mkdir -p "$work/handed/Ordner"
cp "${samples[0]}" "$work/handed/Zeichnung ä.vsd"
cp "${samples[0]}" "$work/handed/Ordner/Plan 1.vdx"
cp "${samples[1]}" "$work/handed/Ordner/Plan 2.vsdx"
handed=("$work/handed/Zeichnung ä.vsd" "$work/handed/Ordner/Plan 1.vdx" "$work/handed/Ordner/Plan 2.vsdx")
heard=$(wc -l <"$work/record")
status=0
timeout 20 wine "$folder/plotvane.exe" "$(winepath -w "${handed[0]}")" "$(winepath -w "$work/handed/Ordner")" \
    >"$work/second.log" 2>&1 || status=$?
check "the second start hands over and ends with status 0 (got $status)" test "$status" = 0
sleep 1
xdotool windowfocus --sync "$window"
rig_press "$window" "Start Printing"
# The focus goes to the root window, away from Wine's: the window is in the background when the run ends.
xdotool windowfocus --sync "$(xwininfo -root | awk '/Window id:/ {print $4}')"
text=$(box_text 120 Return) || fail "no box at the end of the handed-over run"
check "the handed-over run ends with \"Done.\" (got: $text)" grep -qx "Done." <<<"$text"
check "the run ended in the background shows an icon in the notification area" test -n "$(tray_icon)"
# A message for the icon is a change of it with NIF_INFO (0x10) among its flags.
message_asked() {
    local flags
    for flags in $(sed -n 's/.*:systray:modify_icon .* flags=\([0-9a-f]*\).*/\1/p' "$work/server.log" "$work/program.log"); do
        ((0x$flags & 0x10)) && return 0
    done
    return 1
}
check "and hands the notification area a message for it" message_asked
members Plotter_B "${handed[@]}" | tail -n +3 >"$work/expected"
check "the run opens the handed-over files in order, the name intact" diff -u "$work/expected" <(seen "$heard")
record=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Plotvane/runs/*.csv' | LC_ALL=C sort | tail -n 1)
check "the run record in %LOCALAPPDATA%\\Plotvane\\runs reads back as CSV with the run's files" python3 -c '
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f, strict=True))
assert all(len(row) == len(rows[0]) for row in rows), rows
assert [row[1] for row in rows[1:]] == sys.argv[2:], rows
' "$record" "$(winepath -w "${handed[0]}")" "$(winepath -w "${handed[1]}")" "$(winepath -w "${handed[2]}")"
# The program registered for .csv files here copies the file it is given.
wine reg add 'HKCR\.csv' /ve /d Plotvane.TestRecord /f >/dev/null
wine reg add 'HKCR\Plotvane.TestRecord\shell\open\command' /ve /f >/dev/null \
    /d "C:\\windows\\system32\\cmd.exe /c copy \"%1\" \"$(winepath -w "$work/opened.csv")\""
xdotool windowfocus --sync "$window"
# The list's menu, and its first entry.
rig_press --right "$window" "Files to print" sleep 1 mousemove_relative 30 10 click 1
check "Open Last Run Record opens the record in the program for .csv files" \
    rig_wait_until 30 cmp -s "$record" "$work/opened.csv"
end_program

# The console program, its streams and status read as a script reads them.
new_round console
export WINEDEBUG=-all
start_server "$fake_server"
cli() {
    status=0
    heard=$(wc -l <"$work/record")
    (cd "$folder" && exec wine "$folder/plotvane-cli.exe" "$@") >"$work/out" 2>"$work/err" || status=$?
    tr -d '\r' <"$work/out" >"$work/out.txt"
}
cli --print --printer Plotter_A --pause 0 "$(winepath -w "$folder/Samples")"
check "the samples' run exits 0 (got $status: $(head -c 300 "$work/err"))" test "$status" = 0
mapfile -t samples < <(find "$folder/Samples" -type f | LC_ALL=C sort -f)
members Plotter_A "${samples[@]}" >"$work/expected"
check "the server saw each sample's members in order on Plotter_A" diff -u "$work/expected" <(seen "$heard")
check "a line per sample and the counts on standard output" \
    test "$(grep -c ': Sent to Plotter_A' "$work/out.txt"):$(wc -l <"$work/out.txt")" = "${#samples[@]}:$((${#samples[@]} + 1))"
check "the last line gives the counts" grep -q "^Printed ${#samples[@]} of ${#samples[@]} drawings" <(tail -n 1 "$work/out.txt")

missing=$(winepath -w "$work")\\Missing.vsd
cli --print --printer Plotter_A --pause 0 "$missing" "$(winepath -w "${samples[0]}")"
check "a run with a missing file exits 1 (got $status: $(head -c 400 "$work/out.txt"))" test "$status" = 1
check "the missing file's line says it was not printed" grep -qF "Missing.vsd: Not printed: " "$work/out.txt"
check "the file after it was still printed" grep -q "^Printed 1 of 2 drawings" <(tail -n 1 "$work/out.txt")

for refused in "--printer NoSuch" "--bogus"; do
    # shellcheck disable=SC2086
    cli --print $refused --pause 0 "$(winepath -w "$folder/Samples")"
    check "$refused exits 2 (got $status) and says why on standard error" test "$status:$(grep -c . "$work/err")" = 2:1
    check "$refused made no instance" test "$(seen "$heard")" = ""
done
rig_finish
