#!/usr/bin/env bash
# Takes the picture of the editor's preview beside the player's picture
# area, for one question whose drawing (400 × 300) is larger than the area:
# both show it at its own size, cut at the right, with a scroll bar.
#   bash docs/screenshots-preview.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
if [ -z "${TAVELOR_SHOTS_INSIDE:-}" ]; then
  TAVELOR_SHOTS_INSIDE=1 exec scripts/with-xvfb.sh "-screen 0 1600x900x24" bash "$0" "$build"
fi
source tests/e2e/xdriver.sh
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
export HOME="$work"
quiz="$work/QCM/Mathématiques/Fractions"
mkdir -p "$quiz/images"

# A rectangle in eight parts, three coloured, numbered to the right edge.
convert -size 400x300 xc:white -stroke black -strokewidth 2 -fill '#f5c518' \
  -draw 'rectangle 20,40 110,150' -draw 'rectangle 110,40 200,150' -draw 'rectangle 200,40 290,150' \
  -fill white -draw 'rectangle 290,40 380,150' -draw 'rectangle 20,150 110,260' \
  -draw 'rectangle 110,150 200,260' -draw 'rectangle 200,150 290,260' -draw 'rectangle 290,150 380,260' \
  -stroke none -fill black -pointsize 18 -draw 'text 20,28 "1       2       3       4       5       6       7       8"' \
  BMP3:"$quiz/images/huitiemes.bmp"
cat > "$work/quiz.json" <<'JSON'
{"records": [{"QuestionText": "Quelle fraction du rectangle est coloriée ?", "Answer1": "3/8", "Answer2": "3/5",
  "Answer3": "5/8", "Answer4": "", "Answer5": "", "RightComment": "Bravo !", "WrongComment": "3 parts sur 8 : 3/8.",
  "PictureFile": "images\\huitiemes.bmp", "AnswerKey": "1", "ValidityRule": "ET"}]}
JSON
"$build/tools/qcmtool" build "$work/quiz.json" -o "$quiz/huitiemes.qcm"

"$build/tavelor" "$quiz/huitiemes.qcm" >"$work/player.log" 2>&1 &
player=$!
main=$(wait_window '^FormQCM$')
xdotool windowmove --sync "$main" 0 0
read -r wx wy < <(window_origin "$main")
click_at $((wx + 748)) $((wy + 503))                    # Commencer
xdotool mousemove $((wx + 700)) $((wy + 40))
sleep 1
import -window root -crop "843x524+$wx+$wy" +repage "$work/player.png"

"$build/tavelor-editeur" "$quiz/huitiemes.qcm" >"$work/editor.log" 2>&1 &
editor=$!
window=$(wait_window 'Éditeur de QCM')
xdotool mousemove 1590 890
sleep 1
import -window "$window" "$work/editor.png"
kill "$player" "$editor"; wait 2>/dev/null || true

# The editor's form on the left, the player on the right, at the same scale.
convert "$work/editor.png" -gravity northeast -crop 860x600+0+0 +repage "$work/editor-part.png"
convert "$work/editor-part.png" "$work/player.png" -background '#d0d0d0' -splice 12x0 +append -strip \
  docs/screenshot-editor-preview.png
echo "written: docs/screenshot-editor-preview.png"
