#!/usr/bin/env bash
# Ends the real program in the middle of a conversion and checks that nothing
# of the outside application outlives it. LibreOffice is played by a stand-in
# `soffice`, first on PATH, that answers --version and otherwise hangs with a
# helper of its own. Each round starts build/bin/plotvane under Xvfb (private
# CUPS scheduler, own settings, home and temporary folders), loads the sample
# files, presses "Start Printing", waits until the stand-in converts, and ends
# the program:
#   close    the window is closed (WM_DELETE_WINDOW, as from its close box):
#            the program ends within 2 s, no process of the stand-in's group
#            and none of the program's folders are left, and the run's record
#            has every sample as not reached
#   SIGTERM  the same
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

# wait_until SECONDS COMMAND...: true as soon as the command is, false when the
# time is up first.
wait_until() {
    local until=$(($(date +%s%N) + ${1%.*} * 1000000000))
    shift
    while ! "$@"; do
        [ "$(date +%s%N)" -lt "$until" ] || { "$@"; return; }
        sleep 0.05
    done
}

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
program_gone() { ! kill -0 "$program" 2>/dev/null; }
converting() { ls "$work/marks"/converting.* >/dev/null 2>&1; }
# Converting; the failure reports of a file before are answered on the way.
converting_past_reports() {
    local report
    report=$(xdotool search --onlyvisible --name '^Application Error$' 2>/dev/null | head -n 1) || true
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
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="utf-8"), strict=True))
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

# Starts the program and waits for its window: sets program and window.
start_program() {
    "$build/bin/plotvane" >>"$work/program.log" 2>&1 &
    program=$!
    window=""
    for _ in $(seq 1 600); do
        window=$(xdotool search --onlyvisible --name '^Plotvane$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        program_gone && { cat "$work/program.log"; echo "FAIL: $round: the program ended"; exit 1; }
        sleep 0.1
    done
    [ -n "$window" ] || { echo "FAIL: $round: no window titled Plotvane"; exit 1; }
}

# Loads the samples (declining to open their folder) and starts printing;
# returns once the stand-in converts: sets group to its process group.
start_conversion() {
    local box=""
    xdotool mousemove --window "$window" 400 231 click 1  # "Load Sample/Example Files"
    for _ in $(seq 1 100); do
        box=$(xdotool search --onlyvisible --name '^Plotvane Batch Print$' 2>/dev/null | head -n 1) && [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || { echo "FAIL: $round: no question about the samples' folder"; exit 1; }
    xdotool windowfocus --sync "$box" key Escape
    xdotool mousemove --window "$window" 268 385 click 1  # "Start Printing"
    wait_until 60 converting_past_reports || { cat "$work/program.log"; echo "FAIL: $round: the stand-in was never asked to convert"; exit 1; }
    group=$(cat "$work/marks"/converting.*)
}

# Whatever a failed round left running goes, so that the next round starts
# clean: the program (and with it its watcher's lifeline) and the stand-in's
# group, while it is alive.
end_round() {
    if [ -n "$program" ]; then kill -KILL "$program" 2>/dev/null || true; fi
    if [ -n "$group" ] && group_alive "$group"; then kill -KILL -- "-$group" 2>/dev/null || true; fi
    rm -f "$work/marks"/converting.*
    program=""
    group=""
}

for tool in Xvfb xdotool cupsd "$build/bin/plotvane" "$build/bin/close_window"; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

rig_start ending
rig_on_exit end_round
rig_cups Plotter_A
rig_display
mkdir -p "$work/bin" "$work/marks"
unset XDG_STATE_HOME
export PATH=$work/bin:$PATH
cd "$work"
ulimit -c 0

# The stand-in records its process group (its own process id: it leads the
# group the program made for it) before it hangs.
cat > "$work/bin/soffice" <<STANDIN
#!/bin/sh
for a in "\$@"; do [ "\$a" = --version ] && { echo "Stand-in 1.0"; exit 0; }; done
rm "$work/marks/fail-once" 2>/dev/null && { echo "Error: source file could not be loaded" >&2; exit 0; }
echo \$\$ > "$work/marks/ids.\$\$" && mv "$work/marks/ids.\$\$" "$work/marks/converting.\$\$"
sleep 600 &
exec sleep 601
STANDIN
chmod +x "$work/bin/soffice"

round=close
start_program
start_conversion
"$build/bin/close_window" "$window"
check "the program ended within 2 s" wait_until 2 program_gone
check "no process of the stand-in's group is left" group_gone "$group"
check "no folder is left" no_folders
check "the record has every sample as not reached" \
    test "$(newest_outcomes | sort | uniq -c | tr -s ' ')" = " 5 not reached"
end_round

round=SIGTERM
start_program
start_conversion
kill -TERM "$program"
check "the program ended within 2 s" wait_until 2 program_gone
check "no process of the stand-in's group is left" group_gone "$group"
check "no folder is left" no_folders
end_round

for signal in KILL SEGV; do
    round=SIG$signal
    start_program
    [ "$signal" = KILL ] && touch "$work/marks/fail-once"
    start_conversion
    kill "-$signal" "$program"
    check "the stand-in's group is gone within 5 s" wait_until 5 group_gone "$group"
    [ "$signal" = KILL ] && check "the record holds the failed sample's row, whole" \
        test "$(newest_outcomes)" = failed
    end_round
done

round=restart
left=$(program_folders)
check "the killed rounds left their folders" test -n "$left"
start_program
check "the next start removed them" test -z "$(comm -12 <(echo "$left") <(program_folders))"
kill -TERM "$program"
wait_until 2 program_gone || true

rig_finish
