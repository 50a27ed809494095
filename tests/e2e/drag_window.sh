#!/usr/bin/env bash
# Moving the main window by its background with real X input, once without a
# window manager (the program moves itself) and once under openbox (the
# window manager moves it).
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
under_each_window_manager drag_window_session.sh "$tavelor"
