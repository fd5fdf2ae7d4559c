#!/bin/sh
# A private CUPS scheduler for tests and benchmarks: its own configuration
# folder, socket and spool under DIR, never the system's scheduler or queues.
#
#   private-cups.sh start DIR [QUEUE...]   start it and add raw queues that
#                                         print into the void (file:///dev/null)
#   private-cups.sh stop DIR               stop it and remove DIR
#
# Every submitted document stays in DIR/spool as dNNNNN-001 (PreserveJobFiles),
# so a test can read back what was printed, in job order. Point clients at the
# scheduler with: CUPS_SERVER=DIR/cups.sock
set -eu

usage() {
    echo "usage: $0 start DIR [QUEUE...] | stop DIR" >&2
    exit 2
}

[ $# -ge 2 ] || usage
command=$1
dir=$2
shift 2

case "$command" in
start)
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    mkdir -p "$dir/spool" "$dir/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/ppd"
    cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
PreserveJobFiles Yes
PreserveJobHistory Yes
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat > "$dir/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF
    if [ "$(id -u)" != 0 ]; then
        # An ordinary user's scheduler runs everything as that user.
        printf 'User %s\nGroup %s\nSystemGroup %s\n' "$(id -un)" "$(id -gn)" "$(id -gn)" \
            >> "$dir/cups-files.conf"
    fi
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
    echo $! > "$dir/cupsd.pid"
    CUPS_SERVER=$dir/cups.sock
    export CUPS_SERVER
    tries=0
    until lpstat -r 2>/dev/null | grep -q "is running"; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
            echo "private CUPS scheduler did not start; see $dir/log" >&2
            cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
            exit 1
        fi
        sleep 0.1
    done
    for queue in "$@"; do
        lpadmin -p "$queue" -v file:///dev/null -E -m raw 2>/dev/null
    done
    echo "CUPS_SERVER=$dir/cups.sock"
    ;;
stop)
    if [ -f "$dir/cupsd.pid" ]; then
        pid=$(cat "$dir/cupsd.pid")
        kill "$pid" 2>/dev/null || true
        tries=0
        while kill -0 "$pid" 2>/dev/null && [ $tries -lt 50 ]; do
            tries=$((tries + 1))
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    case "$dir" in
    /|"") ;;
    *) rm -rf "$dir" ;;
    esac
    ;;
*)
    usage
    ;;
esac
