#!/usr/bin/env bash
# Starts the packaged program the way a user does and checks that the main
# window comes up titled "Plotvane" with a 536 x 442 client area, and that the
# sample record stored at its first start names exactly the sample drawings
# installed beside it (so the program found its folder through the link).
#   installed_window.sh extracted|installed BUILD_DIR VERSION
#     extracted  unpacks the package into a throwaway root with dpkg -x and
#                starts ROOT/usr/bin/plotvane; nothing on the machine changes
#     installed  only where CI=true (a throwaway machine): installs the package
#                with apt-get, starts plotvane from PATH, then purges it
# The program runs under Xvfb with a private CUPS scheduler, a throwaway home and
# settings folder, and a stand-in xdg-open that opens nothing.
set -euo pipefail
mode=$1
# shellcheck source-path=SCRIPTDIR source=common.sh
source "$(dirname "$0")/common.sh" "$2" "$3"
SkipStatus=77

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi; }

purge() {
    DEBIAN_FRONTEND=noninteractive as_root apt-get purge -y -q plotvane >"$work/purge.log" 2>&1
}

# The package this test installed goes again, however the test ends.
installed_here=no
purge_left_over() { [ "$installed_here" = no ] || purge; }

case "$mode" in
extracted)
    dpkg -x "$deb" "$work/root"
    command=$work/root/usr/bin/plotvane
    program_dir=$work/root/usr/lib/plotvane
    ;;
installed)
    if [ "${CI:-}" != true ]; then
        echo "skipped: installs the package on this machine; runs only where CI=true"
        exit $SkipStatus
    fi
    if dpkg-query -W -f='${Status}' plotvane 2>/dev/null | grep -q 'install ok installed'; then
        echo "FAIL: plotvane is installed on this machine already; the test would replace and purge it"
        exit 1
    fi
    installed_here=yes
    rig_on_exit purge_left_over
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "$deb" \
        >"$work/install.log" 2>&1 || { cat "$work/install.log"; echo "FAIL: apt-get install"; exit 1; }
    command=plotvane
    program_dir=/usr/lib/plotvane
    rig_check "plotvane on PATH is /usr/bin/plotvane" test "$(command -v plotvane)" = /usr/bin/plotvane
    ;;
*)
    echo "unknown mode $mode"
    exit 2
    ;;
esac

rig_cups Plotter_A
rig_display
rig_stand_in xdg-open
settings=$work/config/Tarnwell/Plotvane.conf

"$command" </dev/null >"$work/program.log" 2>&1 &
program=$!
rig_on_exit wait "$program"
rig_on_exit kill "$program"

window=$(rig_window '^Plotvane$' 120 "$program") || { cat "$work/program.log"; echo "FAIL: no window titled Plotvane"; exit 1; }
info=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
echo "window Plotvane: $width x $height"
rig_check "the window is 536 x 442" test "$width x $height" = "536 x 442"

sample_record() { "$build/bin/plotvane_sample_record" "$settings" | sort; }
installed_samples() { find "$program_dir/Samples" -type f | sort; }
echo "installed samples:"
installed_samples
echo "sample record:"
sample_record || true
rig_check "samples are installed beside the program" test -n "$(installed_samples)"
rig_check "the sample record names the installed samples" test "$(sample_record)" = "$(installed_samples)"

if [ "$mode" = installed ]; then
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
    purge || cat "$work/purge.log"
    installed_here=no
    rig_check "apt-get purge removes the package" \
        test -z "$(dpkg-query -W -f='${Status}' plotvane 2>/dev/null | grep 'install ok installed')"
    rig_check "apt-get purge removes the program and its link" test ! -e /usr/lib/plotvane -a ! -L /usr/bin/plotvane
fi
rig_finish
