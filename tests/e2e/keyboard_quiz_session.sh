#!/usr/bin/env bash
# Runs inside one X server (see keyboard_quiz.sh). No mouse button is pressed.
set -euo pipefail
tavelor="$1"; wm="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"

key() { xdotool key --clearmodifiers "$@"; }

start_player "$tavelor" "$wm" "$shots"
read -r wx wy < <(window_origin "$main")
echo "main window at $wx,$wy"
# Keep the pointer off the window: only the keyboard plays.
xdotool mousemove 1020 760
wait_until "the player takes the keyboard" has_focus "$main"

key ctrl+o                                        # "Charger un QCM."
box=$(wait_window '^Tavelor$')
wait_until "the message takes the keyboard" has_focus "$box"
key Return                                        # "Les dossiers QCM sont prêts."
wait_until "the message leaves" is_gone "$box"
dialog=$(wait_window '^(Ouvrir|Open)')
wait_until "the file dialog takes the keyboard" has_focus "$dialog"
xdotool type --delay 20 "$HOME/QCM/Sciences/Essais/essai.qcm"
key Return
wait_until "the file dialog leaves" is_gone "$dialog"
wait_until "the player takes the keyboard back" has_focus "$main"

key Return                                        # Commencer
answer() { # closing key, then the digits to press
  local close="$1"; shift
  for digit in "$@"; do key "$digit"; done
  key Return                                      # Correction
  local popup; popup=$(wait_window '^Correction$')
  wait_until "the correction takes the keyboard" has_focus "$popup"
  key "$close"                                    # the pop-up's close ball
  wait_until "the correction leaves" is_gone "$popup"
  wait_until "the player takes the keyboard back" has_focus "$main"
  key Return                                      # next question
}
answer Return 1          # right
# wrong: 8 and 12 were both needed. A window manager's close does what the ball does.
if [ "$wm" = openbox ]; then answer alt+F4 2; else answer Escape 2; fi
answer Return KP_3       # right: at least one of red, green
key Return               # Bilan
expect_region "$shots/review.png" $((wx + 24)) $((wy + 128)) 297 345 "$here/../data/e2e/review_panel.png"

check_no_key_colour "$shots/review.png"

key ctrl+q                                        # Quitter
wait_exit "$player"
echo "quiz taken from the keyboard, review shown, program ended"
