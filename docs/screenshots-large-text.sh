#!/usr/bin/env bash
# Takes the pictures of the larger, spaced text on a virtual X server: the
# first sample question with the aid on, at 100 % and at 200 %.
#   bash docs/screenshots-large-text.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
if [ -z "${TAVELOR_SHOTS_INSIDE:-}" ]; then
  TAVELOR_SHOTS_INSIDE=1 exec scripts/with-xvfb.sh "-screen 0 1920x1200x24" bash "$0" "$build"
fi
source tests/e2e/xdriver.sh
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
export HOME="$work"
mkdir -p "$HOME/.config/Tavelor"
printf '[Lecture]\nTexteAgrandi=true\n' >"$HOME/.config/Tavelor/Tavelor.conf"

for scale in 1 2; do
  QT_SCALE_FACTOR=$scale "$build/tavelor" "$build/examples/QCM/Mathématiques/Fractions/fractions.qcm" \
    >"$work/player.log" 2>&1 &
  player=$!
  main=$(wait_window '^FormQCM$')
  read -r wx wy < <(window_origin "$main")
  click_at $((wx + 748 * scale)) $((wy + 503 * scale))   # Commencer
  xdotool mousemove $((wx + 700 * scale)) $((wy + 40 * scale))
  sleep 1
  out=docs/screenshot-large-text.png; [ "$scale" = 2 ] && out=docs/screenshot-large-text-200.png
  import -window root -crop "$((843 * scale))x$((524 * scale))+$wx+$wy" +repage -strip "$out"
  echo "written: $out"
  kill "$player"; wait "$player" 2>/dev/null || true
done
