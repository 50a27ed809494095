#!/usr/bin/env bash
# Runs inside one X server (see editor_try.sh).
set -euo pipefail
tavelor="$1"; wm="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
editor_program="$(dirname "$tavelor")/tavelor-editeur"
qcmtool="$TAVELOR_QCMTOOL"

if [ "$wm" = openbox ]; then
  openbox >/dev/null 2>&1 &
  wait_until "openbox manages the screen" window_manager_runs
fi
"$editor_program" > "$shots/editor.log" 2>&1 &
editor=$!
window=$(wait_window 'Éditeur de QCM')
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
wait_until "the editor takes the keyboard" has_focus "$window"

# The editor takes keys in the order they were sent (see click_at).
key() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 15 "$1"; }
screen_print() { import -window root -crop "${3}x${4}+$1+$2" +repage rgb:- 2>/dev/null | md5sum; }
screen_differs() { [ "$(screen_print "${@:2}")" != "$1" ]; } # print x y w h
read -r ex ey < <(window_origin "$window")
eh=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
status_bar=("$ex" $((ey + eh - 20)) 300 20)

# Question 1: only proposition 2 is right, all right propositions needed.
key alt+q; type_text "Combien font 2 + 2 ?"
key alt+1; type_text "3"
key alt+2; type_text "4"; key Tab space
key alt+3; type_text "5"
key alt+m; type_text "Bravo"
key alt+r; type_text "2 + 2 = 4"
# Question 2: propositions 1 and 3 are right, one of them is enough. Alt+A
# clicks "Ajouter" only once its press has been shown: the keys wait for the
# count of questions in the status bar to change.
count_before=$(screen_print "${status_bar[@]}")
key alt+a
wait_until "the second question is added" screen_differs "$count_before" "${status_bar[@]}"
type_text "Quelles couleurs sont sur le drapeau ?"
key alt+1; type_text "bleu"; key Tab space
key alt+2; type_text "vert"
key alt+3; type_text "rouge"; key Tab space
key alt+c Down
key alt+m; type_text "Oui"
import -window root "$shots/editor.png"

key alt+e
player_window=$(wait_window '^FormQCM$')
read -r wx wy < <(window_origin "$player_window")
echo "player at $wx,$wy"
wait_until "the player takes the keyboard" has_focus "$player_window"

says_right() { # screenshot, pop-up's x y → takes the screenshot; whether the pop-up there says right
  local green
  import -window root "$1"
  # "Bonne réponse !" is written in green (0, 128, 0), "Non, correction :" in red.
  green=$(convert "$1" -crop 300x120+"$2"+"$3" +repage -fill black +opaque '#008000' \
    -fill white -opaque '#008000' -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$green" -gt 20 ]
}
answered_right() { # question row to tick → fails unless the correction window says right
  click_at $((wx + 347 + 22)) $((wy + 81 + 112 + 56 * ($1 - 1) + 8))
  click_at $((wx + 604)) $((wy + 503))               # Correction
  local popup
  popup=$(wait_window '^Correction$')
  read -r px py < <(window_origin "$popup")
  wait_until "the answer on row $1 is judged right" says_right "$shots/answer-$1.png" "$px" "$py"
  click_at $((px + 275)) $((py + 35))                 # its close ball
  wait_until "the correction leaves" is_gone "$popup"
  click_at $((wx + 658)) $((wy + 503))                # next question
}
click_at $((wx + 748)) $((wy + 503))                  # Commencer
answered_right 2   # "4"
answered_right 3   # "rouge" alone: one right proposition is enough
import -window root "$shots/player.png"
click_at $((wx + 58)) $((wy + 86))                    # Quitter
for _ in $(seq 100); do
  [ -z "$(xdotool search --onlyvisible --name '^FormQCM$' 2>/dev/null)" ] && break
  sleep 0.1
done

# Back in the editor: save from the keyboard, then quit without a question.
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
wait_until "the editor takes the keyboard back" has_focus "$window"
import -window root "$shots/back.png"
key ctrl+s
save_dialog=$(wait_window 'Enregistrer le QCM')
wait_until "the save dialog takes the keyboard" has_focus "$save_dialog"
key ctrl+a; type_text "$HOME/QCM/premier-$wm.qcm"; key Return
for _ in $(seq 50); do [ -f "$HOME/QCM/premier-$wm.qcm" ] && break; sleep 0.1; done
[ -f "$HOME/QCM/premier-$wm.qcm" ] || { echo "the quiz was not saved" >&2; false; }
# Without a window manager the keyboard does not come back by itself.
xdotool windowfocus --sync "$window"
key ctrl+q
wait_exit "$editor"

"$qcmtool" dump "$HOME/QCM/premier-$wm.qcm" > "$shots/premier.json"
python3 - "$shots/premier.json" <<'PY'
import json, sys
records = json.load(open(sys.argv[1]))["records"]
assert len(records) == 2, records
first, second = records
assert first["QuestionText"] == "Combien font 2 + 2 ?", first
assert [first["Answer%d" % i] for i in range(1, 6)] == ["3", "4", "5", "", ""], first
assert (first["AnswerKey"], first["ValidityRule"], first["RightComment"], first["WrongComment"]) == ("2", "ET", "Bravo", "2 + 2 = 4"), first
assert (second["AnswerKey"], second["ValidityRule"], second["RightComment"]) == ("5", "OU", "Oui"), second
PY
echo "quiz made in the editor, tried in the player, saved"
