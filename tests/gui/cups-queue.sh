#!/usr/bin/env bash
# Prepares a real CUPS print queue for the print test: starts the daemon when it is not
# running, keeps job files so the test can read what the program handed over, and makes a
# cups-pdf queue the default printer.
set -euo pipefail
QUEUE=HuecipherTest

if [ "$(id -u)" -ne 0 ]; then
  echo "cups-queue: not root, the print test will be skipped"
  exit 0
fi

running() { lpstat -r 2>/dev/null | grep -q "is running"; }
wait_running() {
  for _ in $(seq 100); do running && return 0; sleep 0.1; done
  echo "cups-queue: the CUPS scheduler does not answer" >&2
  return 1
}

running || /usr/sbin/cupsd
wait_running
if ! cupsctl | grep -q '^PreserveJobFiles=Yes'; then
  cupsctl PreserveJobFiles=Yes   # restarts the scheduler
  sleep 0.5
  wait_running
fi
if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
  lpadmin -p "$QUEUE" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
fi
# A second queue whose printer cannot print the paper's outer 18 points (a hardware margin).
MARGINS=HuecipherMargins
if ! lpstat -p "$MARGINS" >/dev/null 2>&1; then
  ppd=$(mktemp --suffix=.ppd)
  sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 18 577 824"|' \
    /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd > "$ppd"
  lpadmin -p "$MARGINS" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null
  rm -f "$ppd"
fi
for q in "$QUEUE" "$MARGINS"; do
  cupsenable "$q"
  cupsaccept "$q"
done
lpadmin -d "$QUEUE"
echo "cups-queue: $QUEUE is the default printer"
