# shellcheck shell=bash
# One rig for the script tests: a throwaway work folder with its own home, one
# clean-up that runs however the test ends, the private CUPS scheduler, an X
# display, and counted checks. Source it from a bash test script:
#
#   source "$(dirname "$0")/../support/script-rig.sh"
#
#   rig_start NAME         makes the work folder $work (/tmp/plotvane-NAME-XXXXXX)
#                          with home/, config/ and tmp/ in it, points HOME,
#                          XDG_CONFIG_HOME and TMPDIR there, and sets the one
#                          clean-up: on exit, failure or signal it runs the
#                          rig_on_exit commands (last first), ends Xvfb, stops
#                          the scheduler and removes $work, keeping the status
#   rig_on_exit COMMAND... a command the clean-up runs first (ending what the
#                          test started itself)
#   rig_cups QUEUE...      starts the private scheduler of scripts/private-cups.sh
#                          in $work/cups with raw queues, the first one the
#                          default, and sets CUPS_SERVER
#   rig_display            starts Xvfb on a display it picks itself (-displayfd),
#                          waits for it and sets DISPLAY; no test picks a number
#   rig_needs TOOL...      fails the test at once, naming it, where a tool is missing
#   rig_check WHAT COMMAND...  runs the command and counts it passed, or failed
#                          with "FAIL: WHAT"
#   rig_wait_until SECONDS COMMAND...  true as soon as the command is, false
#                          when the time is up first
#   rig_window TITLE [SECONDS [PID]]  the id of the first visible window whose
#                          title matches, within SECONDS (10); false when none
#                          shows, or once PID (the rig_program's) has ended
#   rig_press [--right] WINDOW NAME [XDOTOOL-COMMAND...]  clicks the main
#                          window's control NAME (the right button with --right)
#                          at its centre in control-centres.tsv, then runs the
#                          further xdotool commands
#   rig_stand_in NAME      puts stand-ins/NAME first on PATH as the program it
#                          stands for (soffice-hangs as soffice); its marks go
#                          to $STAND_IN_MARKS ($work/marks)
#   rig_program COMMAND... starts the program under test in the background and
#                          sets $rig_program_pid; the end-of-test check fails
#                          the test when any process it started is still alive
#   rig_ends_at_once WHAT COMMAND...  runs the command that ends the program
#                          (a close, a signal) and checks that the program is
#                          gone within 1 s and every process it had started
#                          within 2 s
#   rig_no_office WHAT     checks that no LibreOffice of the program runs
#   rig_finish             prints "N passed, N failed"; true when none failed
#
# It sets $source (the source tree) and $work, and counts in $rig_passed and
# $rig_failed.

source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=""
rig_passed=0
rig_failed=0
rig_exit_commands=()
rig_xvfb=""
rig_cups_started=no
rig_program_pid=""
rig_program_tree=""

rig_start() {
    work=$(mktemp -d "/tmp/plotvane-$1-XXXXXX")
    mkdir -p "$work/home" "$work/config" "$work/tmp"
    export HOME=$work/home XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp
    trap rig_cleanup EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

rig_on_exit() {
    rig_exit_commands+=("$(printf '%q ' "$@")")
}

rig_cleanup() {
    local status=$? i left
    set +e
    trap - EXIT HUP INT TERM
    # The end-of-test check: whatever the program started must be gone by now.
    if [ -n "$rig_program_pid" ]; then
        left=$(rig_alive $rig_program_tree $(rig_tree "$rig_program_pid"))
        if [ -n "$left" ]; then
            echo "FAIL: processes of the program are still running at the end of the test:"
            ps -o pid,ppid,pgid,stat,args -p "${left// /,}" 2>/dev/null
            kill -KILL $left 2>/dev/null
            [ "$status" -ne 0 ] || status=1
        fi
    fi
    for ((i = ${#rig_exit_commands[@]} - 1; i >= 0; i--)); do
        eval "${rig_exit_commands[i]}" >/dev/null 2>&1
    done
    [ -z "$rig_xvfb" ] || { kill "$rig_xvfb" && wait "$rig_xvfb"; } 2>/dev/null
    [ "$rig_cups_started" = no ] || "$source/scripts/private-cups.sh" stop "$work/cups" >/dev/null 2>&1
    [ -n "$work" ] && rm -rf "$work"
    exit "$status"
}

rig_cups() {
    rig_cups_started=yes
    "$source/scripts/private-cups.sh" start "$work/cups" "$@" >/dev/null
    export CUPS_SERVER=$work/cups/cups.sock
    [ $# -eq 0 ] || lpadmin -d "$1" >/dev/null 2>&1
}

rig_display() {
    local number="" _
    exec {rig_display_fd}>"$work/display"
    Xvfb -displayfd "$rig_display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    rig_xvfb=$!
    exec {rig_display_fd}>&-
    for _ in $(seq 1 100); do
        number=$(tr -d '\n' <"$work/display")
        [ -n "$number" ] && break
        kill -0 "$rig_xvfb" 2>/dev/null || { cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
        sleep 0.1
    done
    [ -n "$number" ] || { cat "$work/xvfb.log"; echo "FAIL: Xvfb named no display"; exit 1; }
    export DISPLAY=":$number"
}

rig_wait_until() {
    local until=$(($(date +%s%N) + ${1%.*} * 1000000000))
    shift
    while ! "$@"; do
        [ "$(date +%s%N)" -lt "$until" ] || { "$@"; return; }
        sleep 0.05
    done
}

rig_window() {
    local id tries=$((${2:-10} * 10)) pid=${3:-$rig_program_pid}
    while :; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -z "$id" ] || { echo "$id"; return 0; }
        [ $tries -gt 0 ] || return 1
        [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
        tries=$((tries - 1))
        sleep 0.1
    done
}

rig_press() {
    local button=1 window name centre
    [ "$1" = --right ] && { button=3; shift; }
    window=$1 name=$2
    shift 2
    centre=$(awk -F '\t' -v name="$name" '$1 == name {print $3, $4}' "$source/tests/support/control-centres.tsv")
    [ -n "$centre" ] || { echo "FAIL: the main window has no control $name"; exit 1; }
    # shellcheck disable=SC2086
    xdotool mousemove --window "$window" $centre click "$button" "$@"
}

rig_stand_in() {
    mkdir -p "$work/bin" "$work/marks"
    cp "$source/tests/support/stand-ins/$1" "$work/bin/${1%%-*}"
    export STAND_IN_MARKS=$work/marks
    case ":$PATH:" in *":$work/bin:"*) ;; *) export PATH=$work/bin:$PATH ;; esac
}

# The live (not zombie) processes among the given ones.
rig_alive() {
    local pid state alive=()
    for pid in "$@"; do
        state=$(ps -o stat= -p "$pid" 2>/dev/null | tr -d ' ')
        [ -n "$state" ] && [ "${state:0:1}" != Z ] && alive+=("$pid")
    done
    echo "${alive[*]}"
}

# The process and all its descendants. A watcher that leads a session of its
# own is still the program's child.
rig_tree() {
    local child
    echo "$1"
    for child in $(pgrep -P "$1"); do rig_tree "$child"; done
}

rig_program() {
    "$@" &
    rig_program_pid=$!
    rig_program_tree=""
}

rig_gone() { [ -z "$(rig_alive "$@")" ]; }

rig_ends_at_once() {
    local what=$1
    shift
    local tree
    tree=$(rig_tree "$rig_program_pid" | tr '\n' ' ')
    rig_program_tree="$rig_program_tree $tree"
    "$@"
    rig_check "$what: the program is gone within 1 s" rig_wait_until 1 rig_gone "$rig_program_pid"
    rig_check "$what: what it started is gone within 2 s" rig_wait_until 2 rig_gone $tree
}

# LibreOffice of the program: its processes below the program, and any that
# works in the program's folders in the temporary folder.
rig_office() {
    local pid found=()
    for pid in $(rig_tree "$rig_program_pid") $(pgrep -f "${TMPDIR:-/tmp}/plotvane-" 2>/dev/null); do
        [ "$pid" = "$rig_program_pid" ] && continue
        grep -qE '^(soffice|oosplash)' "/proc/$pid/comm" 2>/dev/null && found+=("$pid")
    done
    rig_alive "${found[@]}"
}

rig_no_office() {
    local left
    left=$(rig_office)
    rig_check "$1: no LibreOffice of the program runs" test -z "$left"
    [ -z "$left" ] || ps -o pid,ppid,etimes,args -p "${left// /,}"
}

rig_needs() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
    done
}

rig_check() {
    local what=$1
    shift
    if "$@"; then
        rig_passed=$((rig_passed + 1))
    else
        rig_failed=$((rig_failed + 1))
        echo "FAIL: $what"
    fi
}

rig_finish() {
    echo "$rig_passed passed, $rig_failed failed"
    [ "$rig_failed" -eq 0 ]
}
