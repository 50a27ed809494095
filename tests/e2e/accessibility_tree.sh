#!/usr/bin/env bash
# The running player as a screen reader sees it: an accessibility client on
# the desktop's accessibility bus reads the tree, finds the buttons by name,
# presses them through their accessible action and reads the texts.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
"$here/../../scripts/with-xvfb.sh" "-screen 0 1024x768x24 -br" \
  dbus-run-session -- bash "$here/accessibility_tree_session.sh" "$tavelor" "$work/shots" "$here"
