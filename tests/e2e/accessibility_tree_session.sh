#!/usr/bin/env bash
# Runs inside one X server and one D-Bus session (see accessibility_tree.sh).
set -euo pipefail
tavelor="$1"; shots="$2"; here="$3"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
key() { xdotool key --clearmodifiers "$@"; }

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$tavelor" > "$shots/player.log" 2>&1 &
player=$!
main=$(wait_window '^FormQCM$')
wait_until "the player takes the keyboard" has_focus "$main"
# The load goes through the modal file dialog, which the keyboard drives.
key ctrl+o
box=$(wait_window '^Tavelor$')
wait_until "the message takes the keyboard" has_focus "$box"
key Return
wait_until "the message leaves" is_gone "$box"
dialog=$(wait_window '^(Ouvrir|Open)')
wait_until "the file dialog takes the keyboard" has_focus "$dialog"
xdotool type --delay 20 "$HOME/QCM/Sciences/Essais/essai.qcm"
key Return
wait_until "the file dialog leaves" is_gone "$dialog"

/usr/bin/python3 "$here/accessibility_tree.py" "$shots/tree.txt"
wait_exit "$player"
echo "accessibility tree read, quiz driven through it, program ended"
