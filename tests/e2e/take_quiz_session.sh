#!/usr/bin/env bash
# Runs inside one X server (see take_quiz.sh).
set -euo pipefail
tavelor="$1"; wm="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
s="${E2E_SCALE:-1}"   # device pixels per logical pixel (Xft.dpi / 96)

start_player "$tavelor" "$wm" "$shots"
read -r wx wy < <(window_origin "$main")
echo "main window at $wx,$wy"

# Fichier, then "Charger un QCM." (the quiz folder exists: "prêts" message).
click_at $((wx + 39 * s)) $((wy + 49 * s))
click_at $((wx + 147 * s)) $((wy + 82 * s))
box=$(wait_window '^Tavelor$')
wait_until "the message takes the keyboard" has_focus "$box"
xdotool key --clearmodifiers Return
wait_until "the message leaves" is_gone "$box"
dialog=$(wait_window '^(Ouvrir|Open)')
wait_until "the file dialog takes the keyboard" has_focus "$dialog"
xdotool type --delay 20 "$HOME/QCM/Sciences/Essais/essai.qcm"
xdotool key --clearmodifiers Return
wait_until "the file dialog leaves" is_gone "$dialog"
# The name field's completion list may outlive the dialog by one click.
click_at $((wx + 600 * s)) $((wy + 300 * s))

# Commencer, then each question: tick, Correction, close the pop-up, next.
click_at $((wx + 748 * s)) $((wy + 503 * s))
answer() { # rows to tick (1-5)
  for row in "$@"; do click_at $((wx + (347 + 22) * s)) $((wy + (81 + 112 + 56 * (row - 1) + 8) * s)); done
  click_at $((wx + 604 * s)) $((wy + 503 * s))       # Correction
  local popup; popup=$(wait_window '^Correction$')
  read -r px py < <(window_origin "$popup")
  check_over_main "$popup" "$main"
  click_at $((px + 275 * s)) $((py + 35 * s))         # its close ball
  wait_until "the correction leaves" is_gone "$popup"
  click_at $((wx + 658 * s)) $((wy + 503 * s))       # next question
}
answer 1       # right
answer 2       # wrong: 8 and 12 were both needed
answer 3       # right: at least one of red, green
click_at $((wx + 178 * s)) $((wy + 455 * s))         # Bilan
if [ "$s" = 1 ]; then
  expect_region "$shots/review.png" $((wx + 24)) $((wy + 128)) 297 345 "$here/../data/e2e/review_panel.png"
else
  wait_still $((wx + 24 * s)) $((wy + 128 * s)) $((297 * s)) $((345 * s))
  import -window root "$shots/review.png"
fi

check_no_key_colour "$shots/review.png"
check_pixel "$shots/review.png" "$wx" "$wy" "#000000"   # a key corner shows the root window
check_window_size "$main" $((843 * s)) $((524 * s))

click_at $((wx + 58 * s)) $((wy + 86 * s)) # Quitter
wait_exit "$player"
echo "quiz taken, review shown, program ended"
