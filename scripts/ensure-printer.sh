#!/bin/sh
# Makes sure the printing system has a printer before Plotvane starts, so that
# a new user has somewhere to print. Where CUPS has no printer at all, it
# offers to add a PDF printer (cups-pdf) that saves every print as a PDF file.
#
# It asks only when run from a terminal; otherwise it adds the printer only when
# PLOTVANE_ADD_PDF_PRINTER=yes is set, and just says how. It never stops the
# program from starting: it always exits 0.
set -u

sudo_cmd=""
interactive=no
if [ -t 0 ] && [ -t 1 ] && [ -z "${CI:-}" ]; then
    interactive=yes
fi
if [ "$(id -u)" != 0 ]; then
    # Without a terminal sudo must not wait for a password nobody can type.
    if [ $interactive = yes ]; then
        sudo_cmd="sudo"
    else
        sudo_cmd="sudo -n"
    fi
fi

say() {
    echo "ensure-printer: $*"
}

if ! command -v lpstat >/dev/null 2>&1; then
    say "the CUPS client tools (lpstat) are missing; install the packages cups and cups-client."
    exit 0
fi

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q "is running"
}

if ! scheduler_running && [ -z "${CUPS_SERVER:-}" ]; then
    # A fresh machine may have CUPS installed but not started (no service manager).
    if command -v systemctl >/dev/null 2>&1 && systemctl list-units >/dev/null 2>&1; then
        $sudo_cmd systemctl start cups >/dev/null 2>&1
    elif command -v service >/dev/null 2>&1; then
        $sudo_cmd service cups start >/dev/null 2>&1
    fi
    if ! scheduler_running && command -v cupsd >/dev/null 2>&1; then
        $sudo_cmd cupsd >/dev/null 2>&1
    fi
    tries=0
    while ! scheduler_running && [ $tries -lt 50 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
fi
if ! scheduler_running; then
    say "the CUPS scheduler is not running; Plotvane will find no printer."
    exit 0
fi

if [ -n "$(lpstat -e 2>/dev/null)" ]; then
    exit 0
fi

say "CUPS has no printer yet."
answer=no
if [ "${PLOTVANE_ADD_PDF_PRINTER:-}" = yes ]; then
    answer=yes
elif [ $interactive = yes ]; then
    printf 'Add a PDF printer named "PDF" that saves each print as a PDF file? [Y/n] '
    read -r reply || reply=n
    case "$reply" in
    "" | y | Y | yes | Yes) answer=yes ;;
    esac
fi
if [ "$answer" != yes ]; then
    say "to add a PDF printer later, run: PLOTVANE_ADD_PDF_PRINTER=yes $0"
    exit 0
fi

if ! dpkg -s printer-driver-cups-pdf >/dev/null 2>&1; then
    say "installing printer-driver-cups-pdf ..."
    if ! DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y printer-driver-cups-pdf >/dev/null 2>&1; then
        $sudo_cmd apt-get update >/dev/null 2>&1
        DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y printer-driver-cups-pdf >/dev/null 2>&1 || {
            say "printer-driver-cups-pdf could not be installed; no printer was added."
            exit 0
        }
    fi
fi

# The package usually adds the queue itself; add it where it did not.
if ! lpstat -e 2>/dev/null | grep -qx PDF; then
    ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    [ -f "$ppd" ] || ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    $sudo_cmd lpadmin -p PDF -v cups-pdf:/ -E -P "$ppd" >/dev/null 2>&1
fi
if ! lpstat -e 2>/dev/null | grep -qx PDF; then
    say "the PDF printer could not be added."
    exit 0
fi
if lpstat -d 2>/dev/null | grep -q "no system default"; then
    $sudo_cmd lpadmin -d PDF >/dev/null 2>&1
fi

out=$(sed -n 's/^Out[[:space:]]\{1,\}//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
[ -n "$out" ] || out='${HOME}/PDF'
say "added the printer \"PDF\". Each print is saved as a PDF file in $out" \
    "(\${HOME} is the home folder of the user who prints; set in /etc/cups/cups-pdf.conf)."
exit 0
