#!/bin/sh
# A private CUPS scheduler for tests and benchmarks: its own configuration
# folder, socket and spool under DIR, never the system's scheduler or queues.
#
#   private-cups.sh start DIR [QUEUE...]   start it and add raw queues that
#                                         print into the void (file:///dev/null)
#   private-cups.sh printer DIR QUEUE MEDIA DEFAULT
#                                         add a driverless queue (-m everywhere)
#                                         to a real IPP Everywhere printer of its
#                                         own, an ippeveprinter on localhost
#   private-cups.sh advertise DIR NAME     start a printer that is advertised by
#                                         DNS-SD and has no queue here, as a
#                                         printer on the network is
#   private-cups.sh stop DIR               stop it and its printers, remove DIR
#
# Every submitted document stays in DIR/spool as dNNNNN-001 (PreserveJobFiles),
# so a test can read back what was printed, in job order. Point clients at the
# scheduler with: CUPS_SERVER=DIR/cups.sock
#
# A printer takes PDF and PWG Raster and the paper in MEDIA, a comma-separated
# list of PWG names (na_letter_8.5x11in,iso_a4_210x297mm,iso_a3_297x420mm);
# a pair custom_min_WxHmm,custom_max_WxHmm adds a range of custom sizes (a
# roll). DEFAULT is its default paper. It is not advertised on the network,
# and it keeps every document it receives in DIR/printers/QUEUE/ as
# N-title.pdf, N counting its jobs. It needs avahi-daemon, which
# scripts/dns-sd.sh provides; exit status 3 says that it cannot run here, with
# the reason on standard error.
set -eu

usage() {
    echo "usage: $0 start DIR [QUEUE...] | printer DIR QUEUE MEDIA DEFAULT | advertise DIR NAME | stop DIR" >&2
    exit 2
}

# The size of a PWG media name in hundredths of a millimetre: "W H".
media_size() {
    echo "$1" | awk '{
        n = split($0, part, "_"); dims = part[n]
        unit = substr(dims, length(dims) - 1); dims = substr(dims, 1, length(dims) - 2)
        split(dims, wh, "x"); scale = (unit == "in") ? 2540 : 100
        printf "%d %d\n", wh[1] * scale + 0.5, wh[2] * scale + 0.5
    }'
}

media_col() {
    set -- "$1" $(media_size "$1")
    printf '{MEMBER keyword media-key %s MEMBER collection media-size {MEMBER integer x-dimension %s MEMBER integer y-dimension %s} MEMBER keyword media-size-name %s MEMBER integer media-bottom-margin 635 MEMBER integer media-left-margin 635 MEMBER integer media-right-margin 635 MEMBER integer media-top-margin 635}' "$1" "$2" "$3" "$1"
}

# The printer's attributes, as ippeveprinter reads them with -a.
printer_attributes() {
    media=$1
    default=$2
    database=""
    sizes=""
    ready=""
    min=""
    max=""
    for paper in $(echo "$media" | tr ',' ' '); do
        case "$paper" in
        custom_min_*) min=$(media_size "$paper") ;;
        custom_max_*) max=$(media_size "$paper") ;;
        *)
            set -- $(media_size "$paper")
            database="$database${database:+,}$(media_col "$paper")"
            sizes="$sizes${sizes:+,}{MEMBER integer x-dimension $1 MEMBER integer y-dimension $2}"
            ready="$ready${ready:+,}$paper"
            ;;
        esac
    done
    if [ -n "$min" ] && [ -n "$max" ]; then
        set -- $min $max
        sizes="$sizes${sizes:+,}{MEMBER rangeOfInteger x-dimension $1-$3 MEMBER rangeOfInteger y-dimension $2-$4}"
    fi
    cat <<ATTRS
ATTR mimeMediaType document-format-supported application/pdf,image/pwg-raster,application/octet-stream
ATTR keyword media-supported $media
ATTR keyword media-default $default
ATTR keyword media-ready $ready
ATTR collection media-col-database $database
ATTR collection media-col-default $(media_col "$default")
ATTR collection media-col-ready $database
ATTR collection media-size-supported $sizes
ATTR resolution pwg-raster-document-resolution-supported 300dpi,600dpi
ATTR keyword pwg-raster-document-type-supported black_1,sgray_8
ATTR resolution printer-resolution-supported 600dpi
ATTR resolution printer-resolution-default 600dpi
ATTRS
}

# Starts an ippeveprinter named NAME with the paper MEDIA (default DEFAULT),
# advertised as ADVERT (off: not at all) on a free port, which it leaves in
# $port; exits with the reason where it cannot.
start_printer() {
    name=$1
    mkdir -p "$dir/printers/$name"
    if [ ! -f "$dir/printers/dns-sd" ]; then
        status=0
        "$(dirname "$0")/dns-sd.sh" acquire "$dir" || status=$?
        [ $status -eq 0 ] || exit $status
        touch "$dir/printers/dns-sd"
    fi
    printer_attributes "$2" "$3" > "$dir/printers/$name.conf"
    cat > "$dir/printers/answers.test" <<'TEST'
{
    OPERATION Get-Printer-Attributes
    GROUP operation-attributes-tag
    ATTR charset attributes-charset utf-8
    ATTR naturalLanguage attributes-natural-language en
    ATTR uri printer-uri $uri
}
TEST
    # A free port: a printer that cannot listen on its port ends at once.
    attempt=0
    while :; do
        attempt=$((attempt + 1))
        if [ $attempt -gt 10 ]; then
            echo "the printer $name did not start; see $dir/printers/$name.log" >&2
            cat "$dir/printers/$name.log" >&2
            exit 1
        fi
        port=$((20000 + $(od -An -N2 -tu2 /dev/urandom) % 40000))
        # Each job is handed to /bin/true, so that the printer takes the next
        # at once instead of pretending to print for seconds.
        ippeveprinter -r "$4" -k -c /bin/true -d "$dir/printers/$name" -p "$port" \
            -a "$dir/printers/$name.conf" "$name" </dev/null >"$dir/printers/$name.log" 2>&1 &
        echo $! > "$dir/printers/$name.pid"
        tries=0
        # ipptool fails its own check of the answer (the printer repeats an
        # attribute that -a sets), so the status itself is what counts.
        until ipptool -tv -T 2 "ipp://localhost:$port/ipp/print" "$dir/printers/answers.test" 2>/dev/null |
            grep -q 'status-code = successful-ok'; do
            tries=$((tries + 1))
            kill -0 "$(cat "$dir/printers/$name.pid")" 2>/dev/null && [ $tries -le 50 ] || break
            sleep 0.1
        done
        kill -0 "$(cat "$dir/printers/$name.pid")" 2>/dev/null && [ $tries -le 50 ] && break
        kill "$(cat "$dir/printers/$name.pid")" 2>/dev/null || true
    done
    echo "$port" > "$dir/printers/$name.port"
}

# Ends a process: asked first, killed after five seconds.
end_process() {
    kill "$1" 2>/dev/null || true
    tries=0
    while kill -0 "$1" 2>/dev/null && [ $tries -lt 50 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null || true
}

stop_printers() {
    for pidfile in "$dir"/printers/*.pid; do
        [ -f "$pidfile" ] || continue
        end_process "$(cat "$pidfile")"
        rm -f "$pidfile"
    done
    if [ -f "$dir/printers/dns-sd" ]; then
        "$(dirname "$0")/dns-sd.sh" release "$dir" || true
        rm -f "$dir/printers/dns-sd"
    fi
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
printer)
    [ $# -eq 3 ] || usage
    dir=$(cd "$dir" && pwd)
    CUPS_SERVER=$dir/cups.sock
    export CUPS_SERVER
    start_printer "$1" "$2" "$3" off
    # lpadmin succeeds even where the queue's driver could not be made; the
    # queue has one once its PPD is there.
    tries=0
    while :; do
        lpadmin -p "$1" -v "ipp://localhost:$port/ipp/print" -m everywhere -E 2>/dev/null || true
        [ -s "$dir/ppd/$1.ppd" ] && break
        tries=$((tries + 1))
        if [ $tries -ge 5 ]; then
            echo "no driverless queue $1 could be made:" >&2
            tail -n 5 "$dir/log/error_log" >&2 2>/dev/null || true
            exit 1
        fi
        sleep 0.5
    done
    ;;
advertise)
    [ $# -eq 1 ] || usage
    dir=$(cd "$dir" && pwd)
    start_printer "$1" na_letter_8.5x11in,iso_a4_210x297mm iso_a4_210x297mm _print
    ;;
stop)
    stop_printers
    if [ -f "$dir/cupsd.pid" ]; then
        end_process "$(cat "$dir/cupsd.pid")"
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
