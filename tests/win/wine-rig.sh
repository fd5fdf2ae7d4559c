# shellcheck shell=bash
# The Windows program under Wine in a real X window (Xvfb), on the script rig:
# throwaway Wine prefixes whose printers are the queues of a private CUPS
# scheduler, the fake automation server in a process of its own, and the boxes
# read through the clipboard (a box copies its text on Ctrl+C). Source it after
# script-rig.sh:
#
#   wine_rig_start NAME QUEUE...  the work folder, the scheduler with these
#                              queues, Xvfb, a stand-in browser, and the one
#                              clean-up that ends what the test started
#   new_prefix DIR             a new, settled Wine prefix in DIR (WINEPREFIX)
#   start_server FAKE_SERVER   the fake server as Visio.Application; its record
#                              of calls is $work/record
#   start_program EXE [ARG...] starts the program under Wine in its own folder;
#                              its process is $program, its output program.log
#   end_program                ends $program and waits for it
#   check_not_installed EXE    starts EXE with no diagram application registered:
#                              its first box says so, and it ends after the box
#   find_window TITLE SECONDS  the id of a window so titled, new since the last call
#   box_text SECONDS KEY       the next box's text; KEY then closes it
#   stored NAME                the stored setting NAME, or nothing
#   fail WHAT                  ends the test as failed, with the program's log
#
# The checks are counted by rig_check; $round prefixes their names.
settings_key='HKCU\Software\VB and VBA Program Settings\Tarnwell\Plotvane'
program=""
round=""

# What the test started itself: the program, the fake server and the prefix's Wine.
wine_rig_end() {
    [ -n "$program" ] && kill "$program"
    touch "$work/stop-server"
    [ -n "${WINEPREFIX:-}" ] && wineserver -k
}
check() { rig_check "$round: $1" "${@:2}"; }
fail() { echo "FAIL: $round: $*"; [ -f "$work/program.log" ] && tail -20 "$work/program.log"; exit 1; }

wine_rig_start() {
    rig_needs Xvfb xdotool xclip xwininfo wine cupsd
    rig_start "$1"
    shift
    # Wine reads the command line and file names in the locale's encoding.
    export LC_ALL=C.UTF-8
    rig_on_exit wine_rig_end
    # Wine's spooler lists the CUPS queues that libcups reaches: here, the private ones.
    rig_cups "$@"
    # No .NET or HTML engine; no menu entries or icons made on the Linux side.
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # The home page that about one start in a hundred opens goes to a stand-in browser.
    rig_stand_in xdg-open
    rig_display
}

new_prefix() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    export WINEPREFIX=$1
    mkdir -p "$WINEPREFIX"
    wineboot --init >"$WINEPREFIX.wineboot.log" 2>&1 || fail "wineboot: $(tail -3 "$WINEPREFIX.wineboot.log")"
    wineserver -w
}

start_server() {
    rm -f "$work/record" "$work/stop-server"
    (cd "$work" && exec wine "$1" Visio.Application "Microsoft Visio" record stop-server) >"$work/server.log" 2>&1 &
    rig_wait_until 30 test -e "$work/record" || fail "the fake server did not start: $(cat "$work/server.log")"
}

start_program() {
    local exe=$1
    shift
    (cd "$(dirname "$exe")" && exec wine "$exe" "$@") >"$work/program.log" 2>&1 &
    program=$!
}

end_program() {
    [ -n "$program" ] || return 0
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null || true
    program=""
}

find_window() {
    local id
    for _ in $(seq 1 $(($2 * 10))); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            # Wine keeps a closed box's window for a while.
            grep -qx "$id" "$work/found" 2>/dev/null && continue
            echo "$id" >>"$work/found"
            echo "$id"
            return
        done
        sleep 0.1
    done
    return 1
}

box_text() {
    local box
    box=$(find_window "Plotvane Batch Print" "$1") || return 1
    xdotool windowfocus --sync "$box" key ctrl+c
    sleep 0.5
    xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null | tr -d '\r'
    xdotool windowfocus --sync "$box" key "$2"
}

stored() {
    wine reg query "$settings_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name {print $3}'
}

check_not_installed() {
    local text
    start_program "$1"
    text=$(box_text 120 Return) || fail "no box appeared"
    check "the first box says the diagram application is not installed (got: $text)" \
        grep -q "Visio is not installed on this computer" <<<"$text"
    check "the program ended after the box" rig_wait_until 30 rig_gone "$program"
    program=""
}
