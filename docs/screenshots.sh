#!/usr/bin/env bash
# Takes the README's pictures of the player on a virtual X server: the main
# window at start-up with a sample quiz opened from the command line, and the
# same window asking its first question, which has a picture; then the
# teachers' editor on the same quiz.
#   bash docs/screenshots.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
if [ -z "${TAVELOR_SHOTS_INSIDE:-}" ]; then
  TAVELOR_SHOTS_INSIDE=1 exec scripts/with-xvfb.sh "-screen 0 1024x768x24" bash "$0" "$build"
fi
source tests/e2e/xdriver.sh
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
export HOME="$work"

shoot() { # window id, output: the window cut to its outline, transparent outside
  local x y
  read -r x y < <(window_origin "$1")
  import -window root -crop "843x524+$x+$y" +repage "$work/raw.png"
  convert "$work/raw.png" \( resources/images/skin_main.png -fill white +opaque '#FF00FF' \
    -fill black -opaque '#FF00FF' \) -alpha off -compose CopyOpacity -composite -strip "$2"
  echo "written: $2"
}

"$build/tavelor" "$build/examples/QCM/Mathématiques/Fractions/fractions.qcm" >"$work/player.log" 2>&1 &
player=$!
main=$(wait_window '^FormQCM$')
sleep 1
shoot "$main" docs/screenshot-start.png

read -r wx wy < <(window_origin "$main")
click_at $((wx + 748)) $((wy + 503))                    # Commencer
click_at $((wx + 347 + 22)) $((wy + 81 + 112 + 56 * 2 + 8))   # tick the third proposition
xdotool mousemove $((wx + 700)) $((wy + 40))            # no hint over the window
sleep 1
shoot "$main" docs/screenshot-question.png
kill "$player"; wait "$player" 2>/dev/null || true

"$build/tavelor-editeur" "$build/examples/QCM/Mathématiques/Fractions/fractions.qcm" >"$work/editor.log" 2>&1 &
editor=$!
window=$(wait_window 'Éditeur de QCM')
xdotool mousemove 1000 760
sleep 1
import -window "$window" -strip docs/screenshot-editor.png
echo "written: docs/screenshot-editor.png"
kill "$editor"; wait "$editor" 2>/dev/null || true
