#!/usr/bin/env bash
# A write interrupted by SIGINT, SIGTERM or SIGHUP leaves no temporary file and keeps the old
# file: each write is held in fsync (strace delays the call) while the signal arrives, and the
# program must end as the signal ends it.
# Usage: check-signals.sh HUECIPHER_CLI
set -uo pipefail
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "check-signals: $*" >&2; exit 1; }

if ! strace -f -qq -o /dev/null true 2>/dev/null; then
  echo "check-signals: strace cannot trace here; skipped"
  exit 77
fi

cd "$dir" || fail "no folder"
printf 'Dear reader,\nthis text is written while a signal arrives.\n' > letter.txt
"$cli" encode letter.txt old.hqc || fail "encode"
"$cli" decode -o old.txt old.hqc || fail "decode"
"$cli" pdf letter.txt old.pdf || fail "pdf"
sums=$(md5sum old.hqc old.txt old.pdf)

temporaries() { find . -maxdepth 1 -name '.huecipher-*' | wc -l; }

for signal in INT TERM HUP; do
  number=$(kill -l "$signal")
  for command in "encode --force letter.txt old.hqc" "decode --force -o old.txt old.hqc" \
                 "pdf --force letter.txt old.pdf" "pdf letter.txt new.pdf"; do
    # shellcheck disable=SC2086
    # A job in the background ignores SIGINT unless told otherwise.
    env --default-signal=INT strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:delay_enter=1500000 "$cli" $command &
    tracer=$!
    for _ in $(seq 200); do
      [ "$(temporaries)" -gt 0 ] && break
      sleep 0.01
    done
    [ "$(temporaries)" -gt 0 ] || fail "$command: no temporary file was seen while writing"
    traced=$(pgrep -P "$tracer")
    [ -n "$traced" ] || fail "$command: the program under strace was not found"
    kill -s "$signal" "$traced"
    wait "$tracer" 2>/dev/null
    status=$?
    [ "$status" -eq $((128 + number)) ] || fail "$command, SIG$signal: status $status, not $((128 + number))"
    [ "$(temporaries)" -eq 0 ] || fail "$command, SIG$signal: a temporary file was left: $(ls -A)"
    [ ! -e new.pdf ] || fail "$command, SIG$signal: new.pdf was written"
    [ "$(md5sum old.hqc old.txt old.pdf)" = "$sums" ] || fail "$command, SIG$signal: an old file changed"
  done
done
echo "check-signals: 12 interrupted writes left nothing behind"
