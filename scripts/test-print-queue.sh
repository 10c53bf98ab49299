#!/usr/bin/env bash
# Makes a PDF print queue ready for the printing tests: starts the CUPS scheduler when it is not
# running and adds a queue that prints through cups-pdf. Prints the queue's name on success; on
# failure says why on standard error and exits 1 (no print service can be started here).
#
#   scripts/test-print-queue.sh [QUEUE]        # default queue name: ZAN_Test_PDF
set -uo pipefail

queue=${1:-ZAN_Test_PDF}
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

fail() {
    echo "$*" >&2
    exit 1
}

running() {
    [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]
}

command -v lpstat >/dev/null || fail "the CUPS client tools are not installed (Debian cups-client)"
if ! running; then
    [ -x /usr/sbin/cupsd ] || fail "the CUPS scheduler is not installed (Debian cups)"
    [ "$(id -u)" -eq 0 ] || fail "the CUPS scheduler is not running and only root can start it"
    /usr/sbin/cupsd || fail "the CUPS scheduler could not be started"
    for _ in $(seq 100); do
        running && break
        sleep 0.1
    done
    running || fail "the CUPS scheduler did not start within 10 seconds"
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    [ -f "$ppd" ] || fail "the PDF printer driver is not installed (Debian printer-driver-cups-pdf)"
    lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null ||
        fail "the print queue $queue could not be added (needs root or the lpadmin group)"
fi
# Text stays text on its way through the filters (other renderers turn the fonts into pictures of
# glyphs that pdftotext cannot read back).
lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo 2>/dev/null
cupsenable "$queue" 2>/dev/null
cupsaccept "$queue" 2>/dev/null
lpstat -p "$queue" >/dev/null 2>&1 || fail "the print queue $queue is not available"
echo "$queue"
