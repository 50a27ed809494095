#!/usr/bin/env bash
# The main window as it first appears at 100 %, pixel for pixel the
# reference picture (TAVELOR_UPDATE_REFERENCES=1 writes it anew).
set -euo pipefail
tavelor="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap '[ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
# With a message bus, as on a desktop (see xdriver.sh).
"$here/../../scripts/with-xvfb.sh" "-screen 0 1024x768x24 -br" \
  dbus-run-session -- bash "$here/first_paint_session.sh" "$tavelor" "$work/shots" "$here"
