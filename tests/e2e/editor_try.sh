#!/usr/bin/env bash
# A teacher's first quiz on a real X server, driven only by X input: two
# questions typed in the editor, "Essayer", both answered in the player that
# it starts, then saved from the keyboard and read back. Once without a
# window manager, once under openbox.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
export TAVELOR_QCMTOOL="$qcmtool" # for reading the saved quiz back
under_each_window_manager editor_try_session.sh "$tavelor"
