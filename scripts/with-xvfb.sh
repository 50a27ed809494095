#!/usr/bin/env bash
# Runs a command on an X server of its own, then stops the server and waits
# for it to be gone.
#   scripts/with-xvfb.sh "server arguments" command [arguments...]
# Each of these keeps clients from being refused:
# - the server never resets: by default it does when its last client leaves,
#   and a program connecting meanwhile (the player, as a test's xdotool
#   disconnects) is turned away;
# - the server picks a free display itself, and is waited for: on its way out
#   it removes its display's socket and lock, which would take them from a
#   server started at once on the same display (as xvfb-run -a does).
set -euo pipefail
server_args="$1"; shift
ready="$(mktemp)"
# shellcheck disable=SC2086 # the server's arguments are words
Xvfb -displayfd 3 -nolisten tcp -noreset $server_args 3>"$ready" 2>"$ready.log" &
server=$!
stop_server() {
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  rm -f "$ready" "$ready.log"
}
trap stop_server EXIT
# The display number arrives with a newline once the server takes clients.
for _ in $(seq 300); do
  [ "$(wc -l <"$ready")" -ge 1 ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
[ "$(wc -l <"$ready")" -ge 1 ] || { echo "Xvfb did not start:" >&2; cat "$ready.log" >&2; exit 1; }
status=0
DISPLAY=":$(head -n 1 "$ready")" "$@" || status=$?
exit "$status"
