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
#   rig_check WHAT COMMAND...  runs the command and counts it passed, or failed
#                          with "FAIL: WHAT"
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
    local status=$? i
    set +e
    trap - EXIT HUP INT TERM
    for ((i = ${#rig_exit_commands[@]} - 1; i >= 0; i--)); do
        eval "${rig_exit_commands[i]}" >/dev/null 2>&1
    done
    if [ -n "$rig_xvfb" ]; then
        kill "$rig_xvfb" 2>/dev/null && wait "$rig_xvfb" 2>/dev/null
    fi
    if [ "$rig_cups_started" = yes ]; then
        "$source/scripts/private-cups.sh" stop "$work/cups" >/dev/null 2>&1
    fi
    [ -n "$work" ] && rm -rf "$work"
    exit "$status"
}

rig_cups() {
    rig_cups_started=yes
    "$source/scripts/private-cups.sh" start "$work/cups" "$@" >/dev/null
    export CUPS_SERVER=$work/cups/cups.sock
    if [ $# -gt 0 ]; then
        lpadmin -d "$1" >/dev/null 2>&1
    fi
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
