#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb, 1280 x 1024) under the openbox window manager,
# as a desktop does: the window manager frames every window and says how (its frame extents).
# Usage: with-window-manager.sh COMMAND [ARGUMENTS...]
set -uo pipefail
folder=$(mktemp -d)
mkfifo "$folder/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
server=$!
read -r number <"$folder/display" || { cat "$folder/xvfb.log"; exit 1; }
export DISPLAY=:$number
HOME=$folder openbox --sm-disable >"$folder/openbox.log" 2>&1 &
manager=$!
# The window manager runs once it has claimed the screen.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "openbox did not start"; cat "$folder/openbox.log"; }
"$@"
status=$?
if ! kill -0 "$manager" 2>/dev/null; then
  wait "$manager"
  echo "openbox ended during the run (status $?):"
  cat "$folder/openbox.log"
fi
kill "$manager" "$server" 2>/dev/null
wait 2>/dev/null
rm -rf "$folder"
exit $status
