#!/usr/bin/env bash
# Runs inside one X server (see first_paint.sh).
set -euo pipefail
tavelor="$1"; shots="$2"; here="$3"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
reference="$here/../data/e2e/first_paint.png"
xdotool mousemove 1000 750   # the pointer away from the window
start_player "$tavelor" none "$shots"
read -r wx wy < <(window_origin "$main")
wait_still "$wx" "$wy" 843 524
import -window root -crop "843x524+$wx+$wy" +repage "$shots/first.png"
if [ ! -f "$reference" ] || [ -n "${TAVELOR_UPDATE_REFERENCES:-}" ]; then
  cp "$shots/first.png" "$reference"; echo "reference written: $reference"; exit 0
fi
differ=$(compare -metric AE "$shots/first.png" "$reference" null: 2>&1 || true)
[ "$differ" = 0 ] || { echo "the first paint differs from $reference in $differ pixels" >&2; exit 1; }
kill "$player"
echo "first paint as before"
