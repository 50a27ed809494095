#!/usr/bin/env bash
# Runs inside one X server and one D-Bus session (see accessibility_tree.sh).
set -euo pipefail
tavelor="$1"; shots="$2"; here="$3"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$tavelor" > "$shots/player.log" 2>&1 &
player=$!
wait_window '^FormQCM$' >/dev/null
sleep 0.5
# The load goes through the modal file dialog, which the keyboard drives.
key ctrl+o
wait_window '^Tavelor$' >/dev/null
key Return
wait_window 'QCM|Ouvrir|Tavelor' >/dev/null
sleep 0.5
xdotool type --delay 20 "$HOME/QCM/Sciences/Essais/essai.qcm"
key Return
sleep 1

/usr/bin/python3 "$here/accessibility_tree.py" "$shots/tree.txt"
wait_exit "$player"
echo "accessibility tree read, quiz driven through it, program ended"
