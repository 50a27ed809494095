#!/usr/bin/env bash
# Runs inside one X server (see editor_try.sh).
set -euo pipefail
tavelor="$1"; wm="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
editor_program="$(dirname "$tavelor")/tavelor-editeur"
qcmtool="$TAVELOR_QCMTOOL"

if [ "$wm" = openbox ]; then openbox >/dev/null 2>&1 & sleep 1; fi
"$editor_program" > "$shots/editor.log" 2>&1 &
editor=$!
window=$(wait_window 'Éditeur de QCM')
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5

key() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
type_text() { xdotool type --delay 15 "$1"; sleep 0.2; }

# Question 1: only proposition 2 is right, all right propositions needed.
key alt+q; type_text "Combien font 2 + 2 ?"
key alt+1; type_text "3"
key alt+2; type_text "4"; key Tab space
key alt+3; type_text "5"
key alt+m; type_text "Bravo"
key alt+r; type_text "2 + 2 = 4"
# Question 2: propositions 1 and 3 are right, one of them is enough.
key alt+a
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
sleep 0.5

answered_right() { # question row to tick → fails unless the correction window says right
  click_at $((wx + 347 + 22)) $((wy + 81 + 112 + 56 * ($1 - 1) + 8))
  click_at $((wx + 604)) $((wy + 503))               # Correction
  sleep 0.5
  local popup green
  popup=$(wait_window '^Correction$')
  read -r px py < <(window_origin "$popup")
  import -window root "$shots/answer-$1.png"
  # "Bonne réponse !" is written in green (0, 128, 0), "Non, correction :" in red.
  green=$(convert "$shots/answer-$1.png" -crop 300x120+"$px"+"$py" +repage -fill black +opaque '#008000' \
    -fill white -opaque '#008000' -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$green" -gt 20 ] || { echo "the answer on row $1 was not judged right ($green green pixels)" >&2; return 1; }
  click_at $((px + 275)) $((py + 35))                 # its close ball
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
sleep 0.3
import -window root "$shots/back.png"
key ctrl+s
wait_window 'Enregistrer le QCM' >/dev/null
sleep 0.5
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
