#!/usr/bin/env bash
# Ends the real program in the middle of a conversion and checks that nothing
# of the outside application outlives it. LibreOffice is played by a stand-in
# `soffice`, first on PATH, that answers --version and otherwise hangs with a
# helper of its own. Each round starts build/bin/plotvane under Xvfb (private
# CUPS scheduler, own settings, home and temporary folders), loads the sample
# files, presses "Start Printing", waits until the stand-in converts, and ends
# the program; where the program ends in order, it must be gone within 1 s and
# all it started within 2 s (the rig checks it, and that nothing of it is left
# at the end):
#   close    the window is closed (WM_DELETE_WINDOW, as from its close box):
#            no process of the stand-in's group and none of the program's
#            folders are left, and the run's record has every sample as not
#            reached
#   SIGTERM  the same
#   close over a box  the window is closed while an error report is open
#            (the stand-in could not load the first sample)
#   SIGHUP over a box  the same with SIGHUP
#   mid-preparation  the first sample is converted by the real LibreOffice
#            and printed; the window is closed while the next one is being
#            made ready during the pause
#   frozen scheduler  the window is closed while the run waits for a print
#            service that has stopped answering
#   after Done  all samples printed through the real LibreOffice at the
#            0-second pause: once "Done." shows, no LibreOffice of the
#            program's runs, and the window is closed with the box still open
#   SIGKILL  the stand-in's group is gone within 5 s; the first sample has
#            failed before (the stand-in cannot load it), and the run's
#            record is whole, valid CSV with that file's row
#   SIGSEGV  (a crash) the same
#   restart  the next start removes the folders the killed rounds left
#
#   ending_mid_conversion.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
program=""
group=""
cups_frozen=""

# True while a live (not zombie) process belongs to the process group.
group_alive() {
    local stat line rest
    for stat in /proc/[0-9]*/stat; do
        read -r line 2>/dev/null <"$stat" || continue
        rest=${line##*) }
        read -r state _ pgrp _ <<<"$rest"
        [ "$pgrp" = "$1" ] && [ "$state" != Z ] && return 0
    done
    return 1
}
group_gone() { ! group_alive "$1"; }
converting() { ls "$work/marks"/converting.* >/dev/null 2>&1; }
# Converting; the failure reports of a file before are answered on the way.
converting_past_reports() {
    local report
    report=$(rig_window '^Application Error$' 0) || true
    [ -z "$report" ] || xdotool windowfocus --sync "$report" key Return 2>/dev/null || true
    converting
}
# The outcome column of the newest run record, one line per row; fails where
# the record is not whole, valid CSV with the record's header.
newest_outcomes() {
    local records=$HOME/.local/state/plotvane/runs newest
    newest=$(ls -t "$records"/*.csv 2>/dev/null | head -n 1)
    [ -n "$newest" ] && ! ls "$records"/*.part >/dev/null 2>&1 || return 1
    python3 - "$newest" <<'CSV'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="utf-8-sig"), strict=True))
assert rows[0] == "started,file,printer,pages,paper,job,outcome,reason".split(","), rows[0]
for row in rows[1:]:
    assert len(row) == 8, row
    print(row[6])
CSV
}
program_folders() { find "$work/tmp" -mindepth 1 -maxdepth 1 -name 'plotvane-*' | sort; }
no_folders() { [ -z "$(program_folders)" ]; }

check() {
    local what=$1
    shift
    rig_check "$round: $what" "$@"
}

# Starts the program with the pause entry given (0 to 9) and waits for its
# window: sets program and window.
start_program() {
    mkdir -p "$work/config/Tarnwell"
    printf '[Plotvane]\nCombo2=%s\n' "${1:-5}" >"$work/config/Tarnwell/Plotvane.conf"
    rig_program "$build/bin/plotvane" >>"$work/program.log" 2>&1
    program=$rig_program_pid
    window=$(rig_window '^Plotvane$' 60) || { cat "$work/program.log"; echo "FAIL: $round: no window titled Plotvane"; exit 1; }
}

# Loads the samples (declining to open their folder) and starts printing;
# returns once the stand-in converts: sets group to its process group.
start_conversion() {
    start_run
    rig_wait_until 60 converting_past_reports || { cat "$work/program.log"; echo "FAIL: $round: the stand-in was never asked to convert"; exit 1; }
    group=$(cat "$work/marks"/converting.*)
}

# Loads the samples (declining to open their folder) and starts printing.
start_run() {
    local box=""
    rig_press "$window" "Load Sample/Example Files"
    box=$(rig_window '^Plotvane Batch Print$' 10) || { echo "FAIL: $round: no question about the samples' folder"; exit 1; }
    xdotool windowfocus --sync "$box" key Escape
    rig_wait_until 5 no_box_titled '^Plotvane Batch Print$' || true
    rig_press "$window" "Start Printing"
}
no_box_titled() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Whatever a failed round left running goes, so that the next round starts
# clean: the program (and with it its watcher's lifeline) and the stand-in's
# group, while it is alive.
end_round() {
    if [ -n "$program" ]; then kill -KILL "$program" 2>/dev/null || true; fi
    if [ -n "$group" ] && group_alive "$group"; then kill -KILL -- "-$group" 2>/dev/null || true; fi
    rm -f "$work/marks"/converting.* "$work/marks"/converted.* "$work/marks"/real*
    if [ -n "$cups_frozen" ]; then kill -CONT "$cups_frozen" 2>/dev/null || true; fi
    cups_frozen=""
    program=""
    group=""
}

real_office=$(command -v soffice) || { echo "FAIL: soffice is missing"; exit 1; }
rig_needs Xvfb xdotool cupsd lpstat "$build/bin/plotvane" "$build/bin/close_window"

rig_start ending
rig_on_exit end_round
rig_cups Plotter_A
rig_display
unset XDG_STATE_HOME
rig_stand_in soffice-hangs
export STAND_IN_OFFICE=$real_office
cd "$work"
ulimit -c 0
converted() { ls "$work/marks"/converted.* >/dev/null 2>&1; }

round=close
start_program
start_conversion
rig_ends_at_once "$round" "$build/bin/close_window" "$window"
check "no process of the stand-in's group is left" group_gone "$group"
check "no folder is left" no_folders
check "the record has every sample as not reached" \
    test "$(newest_outcomes | sort | uniq -c | tr -s ' ')" = " 5 not reached"
end_round

round=SIGTERM
start_program
start_conversion
rig_ends_at_once "$round" kill -TERM "$program"
check "no process of the stand-in's group is left" group_gone "$group"
check "no folder is left" no_folders
end_round

for ending in close SIGHUP; do
    round="$ending over a box"
    start_program
    touch "$work/marks/fail-once"
    start_run
    rig_window '^Application Error$' 60 >/dev/null || { echo "FAIL: $round: no error report"; exit 1; }
    if [ $ending = close ]; then
        rig_ends_at_once "$round" "$build/bin/close_window" "$window"
    else
        rig_ends_at_once "$round" kill -HUP "$program"
    fi
    end_round
done

round=mid-preparation
start_program 9
touch "$work/marks/real-once"
start_conversion
check "the first sample was converted before" converted
rig_ends_at_once "$round" "$build/bin/close_window" "$window"
check "no process of the stand-in's group is left" group_gone "$group"
check "no folder is left" no_folders
end_round

round="frozen scheduler"
start_program 0
touch "$work/marks/real"
cups_frozen=$(cat "$work/cups/cupsd.pid")
kill -STOP "$cups_frozen"
start_run
rig_wait_until 60 converted || { echo "FAIL: $round: the first sample was never converted"; exit 1; }
sleep 1
rig_ends_at_once "$round" "$build/bin/close_window" "$window"
end_round

round="after Done"
start_program 0
touch "$work/marks/real"
start_run
done_box=$(rig_window '^Plotvane Batch Print$' 120) || { echo "FAIL: $round: no Done. box"; exit 1; }
rig_no_office "$round"
check "every sample was printed" test "$(lpstat -W completed -o Plotter_A 2>/dev/null | wc -l)" -ge 5
rig_ends_at_once "$round" "$build/bin/close_window" "$window"
end_round

for signal in KILL SEGV; do
    round=SIG$signal
    start_program
    [ "$signal" = KILL ] && touch "$work/marks/fail-once"
    start_conversion
    kill "-$signal" "$program"
    check "the stand-in's group is gone within 5 s" rig_wait_until 5 group_gone "$group"
    [ "$signal" = KILL ] && check "the record holds the failed sample's row, whole" \
        test "$(newest_outcomes)" = failed
    end_round
done

round=restart
left=$(program_folders)
check "the killed rounds left their folders" test -n "$left"
start_program
check "the next start removed them" test -z "$(comm -12 <(echo "$left") <(program_folders))"
rig_ends_at_once "$round" kill -TERM "$program"

rig_finish
