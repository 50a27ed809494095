#!/usr/bin/env bash
# A pupil's whole quiz on a real X server, driven only by X input: load through
# the file dialog, answer three questions (one wrong), read the summary and the
# review, quit. Once without a window manager, once under openbox.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
for wm in none openbox; do
  echo "== window manager: $wm"
  xvfb-run -a -s "-screen 0 1024x768x24 -br" bash "$here/take_quiz_session.sh" "$tavelor" "$wm" "$work/shots-$wm" "$here"
done
