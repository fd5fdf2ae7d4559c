#!/usr/bin/env bash
# The real program run with --print and no display at all, onto a private
# CUPS scheduler, with the real LibreOffice and the shipped samples:
#   1. the samples and a damaged drawing on Plotter_B: one job per sample
#      there and none on Plotter_A, status 1, line 120 named for the damaged
#      one, a record row per file
#   2. --dry-run lists the files in order (a name that is no UTF-8 and one
#      after -- that begins with a dash too) and makes no job and no record;
#      --printer NoSuch and an unknown option exit 2, --help and --version 0
#   3. --retry last takes only the damaged drawing: a record of one row, status 1
#   4. SIGTERM mid-run: ended within 2 s with status 143, no LibreOffice left,
#      the rest recorded as not reached
#   5. a LibreOffice that takes 8 s longer: the stored ConversionSeconds=3 fails
#      it at line 120 with how to raise the limit, --conversion-limit 120 prints
#      it, --conversion-limit 0 exits 2
#   print_command.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
# shellcheck source-path=SCRIPTDIR source=../support/script-rig.sh
source "$(dirname "$0")/../support/script-rig.sh"
program=""
end_program() { [ -z "$program" ] || kill -KILL "$program" 2>/dev/null; }
plotvane() { env -u DISPLAY -u WAYLAND_DISPLAY "$build/bin/plotvane" "$@"; }
jobs_on() { lpstat -W all -o "$1" 2>/dev/null | wc -l; }
records() { ls "$HOME/.local/state/plotvane/runs/"*.csv 2>/dev/null | wc -l; }
newest_outcomes() { python3 -c 'import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="utf-8", errors="surrogateescape")))
print("\n".join(r[6] for r in rows[1:]))' "$(ls -t "$HOME/.local/state/plotvane/runs/"*.csv | head -n 1)"; }
office_left() { pgrep -f "soffice.*$work" >/dev/null; }

rig_start print
rig_on_exit end_program
rig_cups Plotter_A Plotter_B
unset XDG_STATE_HOME
samples=$build/bin/Samples
echo garbage >"$work/Damaged.vsdx"

status=0
plotvane --print --printer Plotter_B --pause 0 "$samples" "$work/Damaged.vsdx" >"$work/out" 2>"$work/err" || status=$?
rig_check "a run with a damaged drawing ends with status 1" test "$status" = 1
rig_check "one job per sample on Plotter_B" test "$(jobs_on Plotter_B)" = 5
rig_check "no job on Plotter_A" test "$(jobs_on Plotter_A)" = 0
rig_check "a line per file and the counts" test "$(wc -l <"$work/out")" = 7
rig_check "the damaged drawing's line names line 120" grep -q "Damaged.vsdx: Not printed: line 120: " "$work/out"
rig_check "its report names line 120 on standard error" grep -q "at line 120$" "$work/err"
rig_check "the last line names the record" grep -q "^Printed 5 of 6 drawings; 1 failed. Run record: /" <(tail -n 1 "$work/out")
rig_check "the record has a row per file" test "$(newest_outcomes | sort | uniq -c | tr -s ' ')" = " 1 failed
 5 sent"

before=$(records)
touch "$work/$(printf 'N\xe4me.vdx')" "$work/-dash.vdx"
expected=$(printf '%s\n' "$work/$(printf 'N\xe4me.vdx')" "$work/-dash.vdx")
rig_check "--dry-run lists the files in order, bytes and dashes kept" \
    test "$(cd "$work" && plotvane --print --dry-run --printer Plotter_B "$(printf 'N\xe4me.vdx')" -- -dash.vdx 2>/dev/null)" = "$expected"
status=0 && plotvane --print --printer NoSuch "$samples" >/dev/null 2>"$work/err" || status=$?
rig_check "--printer NoSuch exits 2 naming it" test "$status:$(grep -c NoSuch "$work/err")" = 2:1
status=0 && plotvane --print --bogus "$samples" 2>/dev/null || status=$?
rig_check "an unknown option exits 2" test "$status" = 2
rig_check "--help and --version exit 0" plotvane --help >/dev/null
rig_check "--version" plotvane --version >/dev/null
rig_check "no job and no record came of them" test "$(jobs_on Plotter_B):$(records)" = "5:$before"

sleep 1  # a record of its own second
status=0 && plotvane --print --retry last --printer Plotter_B --pause 0 >"$work/out" 2>/dev/null || status=$?
rig_check "--retry last exits 1" test "$status" = 1
rig_check "--retry last took only the damaged drawing" test "$(newest_outcomes)" = failed

sleep 1
env -u DISPLAY -u WAYLAND_DISPLAY "$build/bin/plotvane" --print --printer Plotter_B --pause 9 "$samples" >"$work/out" 2>/dev/null &
program=$!
rig_wait_until 60 test -s "$work/out" || true
kill -TERM "$program"
started=$(date +%s%N)
status=0 && wait "$program" || status=$?
program=""
rig_check "SIGTERM ends the run within 2 s" test $((($(date +%s%N) - started) / 1000000)) -lt 2000
rig_check "with status 143" test "$status" = 143
rig_check "no LibreOffice is left" test "$(office_left && echo left)" = ""
rig_check "the rest is recorded as not reached" test "$(newest_outcomes | sort | uniq -c | tr -s ' ')" = " 4 not reached
 1 sent"

slow=$work/slow && mkdir -p "$slow" "$XDG_CONFIG_HOME/Tarnwell"
printf '#!/bin/sh\ncase " $* " in *" --version "*) ;; *) sleep 8 ;; esac\nexec %s "$@"\n' "$(command -v soffice)" >"$slow/soffice"
chmod +x "$slow/soffice" && printf '[Plotvane]\nConversionSeconds=3\n' >"$XDG_CONFIG_HOME/Tarnwell/Plotvane.conf"
slow_print() { PATH=$slow:$PATH plotvane --print --printer Plotter_B --pause 0 "$@" "$samples/Process Flow.vdx" >"$work/out" 2>/dev/null; }
slow_print || true
rig_check "the stored limit fails a slower conversion, saying how to raise it" grep -q "line 120: .*LibreOffice did not \
finish within 3 seconds; the setting ConversionSeconds gives it longer (for plotvane --print: --conversion-limit SECONDS)" \
    "$work/out"
rig_check "--conversion-limit 120 lets it print" slow_print --conversion-limit 120
status=0 && slow_print --conversion-limit 0 || status=$?
rig_check "--conversion-limit 0 exits 2" test "$status" = 2
rig_finish
