#!/usr/bin/env bash
# A print server of the test run's own: a CUPS scheduler with its configuration, spool, socket
# and cups-pdf output in FOLDER, so that two test runs at once (or a test run beside real
# printing) never share a queue. It keeps job files, so the test can read what the program
# handed over, and has two cups-pdf queues: the default HuecipherTest, and HuecipherMargins,
# whose printer cannot print the paper's outer 18 points.
# Usage: cups-queue.sh FOLDER start|stop   (the test finds the server at FOLDER/cups.sock)
set -euo pipefail
folder=$1
action=$2
instance=$(basename "$folder")
pdfConfig=/etc/cups/cups-pdf-$instance.conf

stop() {
  if [ -f "$folder/cupsd.pid" ]; then
    kill "$(cat "$folder/cupsd.pid")" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$folder"
  rm -f "$pdfConfig"
}

if [ "$action" = stop ]; then
  stop
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "cups-queue: not root, the print test will be skipped"
  exit 0
fi

stop  # what a run that was killed may have left
mkdir -p "$folder"/{root/ppd,spool/tmp,tmp,cache,state,log,pdf}
chmod 755 "$folder" "$folder/pdf"
chmod 1777 "$folder/tmp"
chgrp lp "$folder/spool" "$folder/spool/tmp" 2>/dev/null || true
chmod 710 "$folder/spool"
chmod 1770 "$folder/spool/tmp"

cat > "$folder/cupsd.conf" <<CONF
Listen $folder/cups.sock
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
cat > "$folder/cups-files.conf" <<CONF
ServerRoot $folder/root
RequestRoot $folder/spool
TempDir $folder/tmp
CacheDir $folder/cache
StateDir $folder/state
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
SystemGroup root
CONF
# cups-pdf reads the settings of the instance a queue names (cups-pdf:/INSTANCE) from here.
printf 'Out %s\nAnonDirName %s\n' "$folder/pdf" "$folder/pdf" > "$pdfConfig"

# Detached from the caller (a test runner waits for its output to close).
setsid /usr/sbin/cupsd -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf" </dev/null >"$folder/log/cupsd.out" 2>&1 &
echo $! > "$folder/cupsd.pid"
export CUPS_SERVER=$folder/cups.sock
for _ in $(seq 100); do
  lpstat -r 2>/dev/null | grep -q "is running" && break
  sleep 0.1
done
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  echo "cups-queue: the test's own CUPS scheduler did not start (the test's set-up failed):" >&2
  cat "$folder/log/error_log" >&2 2>/dev/null || true
  exit 1
fi
lpadmin -p HuecipherTest -E -v "cups-pdf:/$instance" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
ppd=$(mktemp --suffix=.ppd)
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 18 577 824"|' \
  /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd > "$ppd"
lpadmin -p HuecipherMargins -E -v "cups-pdf:/$instance" -P "$ppd" 2>/dev/null
rm -f "$ppd"
for q in HuecipherTest HuecipherMargins; do
  cupsenable "$q"
  cupsaccept "$q"
done
lpadmin -d HuecipherTest
echo "cups-queue: HuecipherTest is the default printer of the server at $CUPS_SERVER"
