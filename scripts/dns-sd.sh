#!/bin/sh
# DNS-SD for the test printers. ippeveprinter needs a running avahi-daemon (on
# the system D-Bus) even when it advertises nothing, and it stops when the
# daemon goes. Uses of the daemon are counted, machine-wide, so that tests
# running side by side share it:
#
#   dns-sd.sh acquire HOLDER   make sure avahi-daemon runs; where none runs,
#                              start the system D-Bus (where none answers) and
#                              avahi-daemon. HOLDER is a folder that stands for
#                              this use while it exists.
#   dns-sd.sh release HOLDER   end that use; the daemons this script started
#                              stop with the last use.
#
# Exit status 3: avahi-daemon does not run and cannot be started by this user
# (only root can start it); the reason is on standard error.
set -eu

usage() {
    echo "usage: $0 acquire HOLDER | release HOLDER" >&2
    exit 2
}

[ $# -eq 2 ] || usage
command=$1
holder=$2
state=/tmp/plotvane-dns-sd
id=$(printf '%s' "$holder" | md5sum | cut -c1-32)

avahi_runs() {
    avahi-daemon -c >/dev/null 2>&1
}

bus_answers() {
    dbus-send --system --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId >/dev/null 2>&1
}

# True while the process runs the named program (and is not a reused number)
# and has not ended.
runs_program() {
    [ -n "$1" ] && [ "$(cat "/proc/$1/comm" 2>/dev/null)" = "$2" ] &&
        [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]
}

stop_process() {
    pid=$1
    program=$2
    runs_program "$pid" "$program" || return 0
    kill "$pid" 2>/dev/null || true
    tries=0
    while runs_program "$pid" "$program" && [ $tries -lt 50 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
    runs_program "$pid" "$program" && kill -9 "$pid" 2>/dev/null
    return 0
}

start_daemons() {
    if ! bus_answers; then
        mkdir -p /run/dbus
        rm -f /run/dbus/pid
        # The daemons must not inherit the lock (descriptor 9).
        if ! dbus-daemon --system --fork --print-pid >"$state/dbus.pid" 2>"$state/dbus.log" 9>&-; then
            echo "the system D-Bus could not be started:" >&2
            cat "$state/dbus.log" >&2
            rm -f "$state/dbus.pid"
            return 1
        fi
        tries=0
        until bus_answers; do
            tries=$((tries + 1))
            [ $tries -le 50 ] || { echo "the system D-Bus does not answer" >&2; return 1; }
            sleep 0.1
        done
    fi
    if ! avahi-daemon -D --no-drop-root --no-chroot >"$state/avahi.log" 2>&1 9>&-; then
        echo "avahi-daemon could not be started:" >&2
        cat "$state/avahi.log" >&2
        return 1
    fi
    tries=0
    until avahi_runs && [ -s /run/avahi-daemon/pid ]; do
        tries=$((tries + 1))
        [ $tries -le 50 ] || { echo "avahi-daemon did not come up" >&2; return 1; }
        sleep 0.1
    done
    cat /run/avahi-daemon/pid >"$state/avahi.pid"
}

# Uses whose holder folder is gone (a test that was killed) end here too.
drop_stale_leases() {
    for lease in "$state"/leases/*; do
        [ -f "$lease" ] || continue
        [ -d "$(cat "$lease")" ] || rm -f "$lease"
    done
}

case "$command" in
acquire)
    if [ "$(id -u)" != 0 ]; then
        avahi_runs && exit 0
        echo "avahi-daemon is not running, and only root can start it (user $(id -un))" >&2
        exit 3
    fi
    mkdir -p "$state/leases"
    exec 9>"$state/lock"
    flock 9
    drop_stale_leases
    if ! avahi_runs; then
        start_daemons || exit 1
    fi
    printf '%s\n' "$holder" >"$state/leases/$id"
    ;;
release)
    [ "$(id -u)" = 0 ] && [ -d "$state/leases" ] || exit 0
    exec 9>"$state/lock"
    flock 9
    rm -f "$state/leases/$id"
    drop_stale_leases
    if [ -z "$(ls -A "$state/leases")" ]; then
        stop_process "$(cat "$state/avahi.pid" 2>/dev/null)" avahi-daemon
        stop_process "$(cat "$state/dbus.pid" 2>/dev/null)" dbus-daemon
        rm -f "$state/avahi.pid" "$state/dbus.pid"
    fi
    ;;
*)
    usage
    ;;
esac
