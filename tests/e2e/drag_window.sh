#!/usr/bin/env bash
# Moving the main window by its background with real X input, once without a
# window manager (the program moves itself) and once under openbox (the
# window manager moves it).
set -euo pipefail
tavelor="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap '[ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
for wm in none openbox; do
  echo "== window manager: $wm"
  xvfb-run -a -s "-screen 0 1024x768x24 -br" bash "$here/drag_window_session.sh" "$tavelor" "$wm" "$work/shots-$wm" "$here"
done
