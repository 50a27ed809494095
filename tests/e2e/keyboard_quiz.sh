#!/usr/bin/env bash
# A pupil's whole quiz from the keyboard alone on a real X server: Ctrl+O and
# the file dialog, digits to tick, Return for the correction, Return or Escape
# to close it (Alt+F4 under a window manager), Return for the next question
# and for the review, Ctrl+Q.
# Once without a window manager, once under openbox.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
under_each_window_manager keyboard_quiz_session.sh "$tavelor"
