#!/usr/bin/env bash
# A pupil's whole quiz on a real X server, driven only by X input: load through
# the file dialog, answer three questions (one wrong), read the summary and the
# review, quit. Once without a window manager, once under openbox.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
under_each_window_manager take_quiz_session.sh "$tavelor"
