#!/usr/bin/env bash
# The running player as a screen reader sees it: an accessibility client on
# the desktop's accessibility bus reads the tree, finds the buttons by name,
# presses them through their accessible action and reads the texts.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap '[ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME/QCM/Sciences/Essais" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
"$qcmtool" build "$here/../data/e2e/essai.json" -o "$HOME/QCM/Sciences/Essais/essai.qcm" >/dev/null
xvfb-run -a -s "-screen 0 1024x768x24 -br" \
  dbus-run-session -- bash "$here/accessibility_tree_session.sh" "$tavelor" "$work/shots" "$here"
