#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb, 1280 x 1024 or HUECIPHER_TEST_SCREEN, a display
# number the server picks)
# under the openbox window manager, as a desktop does: the window manager frames every window
# and says how (its frame extents). The command starts only once the display accepts
# connections and the window manager runs; when that cannot be had (a loaded machine), the run
# fails saying that its set-up failed, not the program.
# Usage: with-window-manager.sh COMMAND [ARGUMENTS...]
set -uo pipefail
folder=$(mktemp -d)
server=""
manager=""
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
setup_failed() {
  echo "with-window-manager: SET-UP FAILED (not a fault of the program): $*"
  for log in "$folder"/*.log; do [ -s "$log" ] && { echo "--- $(basename "$log")"; cat "$log"; }; done
  exit 1
}

# Waits up to 10 seconds for a condition.
wait_for() {
  for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}

start_server() {
  rm -f "$folder/display"
  mkfifo "$folder/display"
  Xvfb -displayfd 3 -screen 0 "${HUECIPHER_TEST_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
  server=$!
  local number
  read -r -t 20 number <"$folder/display" || return 1
  export DISPLAY=:$number
  wait_for xdpyinfo
}

start_manager() {
  HOME=$folder openbox --sm-disable >"$folder/openbox.log" 2>&1 &
  manager=$!
  # The window manager runs once it has claimed the screen.
  wait_for sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}

for attempt in 1 2 3; do
  start_server && break
  kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; server=""
  [ "$attempt" = 3 ] && setup_failed "the X server did not accept connections"
done
for attempt in 1 2 3; do
  start_manager && break
  kill "$manager" 2>/dev/null; wait "$manager" 2>/dev/null; manager=""
  [ "$attempt" = 3 ] && setup_failed "openbox did not start"
done

"$@"
status=$?
if ! kill -0 "$manager" 2>/dev/null; then
  echo "with-window-manager: openbox ended during the run; the result says nothing of the program:"
  cat "$folder/openbox.log"
  status=1
fi
exit $status
