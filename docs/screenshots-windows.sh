#!/usr/bin/env bash
# Takes the README's pictures of the Windows build under Wine, on a virtual X
# server: the installer's first page, then the player asking a question at
# 100 % and at 200 % (Windows' display scale, set in a fresh Wine prefix).
#   bash docs/screenshots-windows.sh   (after scripts/build-windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${TAVELOR_SHOTS_INSIDE:-}" ]; then
  TAVELOR_SHOTS_INSIDE=1 LC_ALL=C.UTF-8 exec scripts/with-xvfb.sh "-screen 0 1920x1200x24 -br" bash "$0"
fi
source tests/e2e/xdriver.sh
work="$(mktemp -d)"; trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
$wine wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w

setup="$(ls dist/windows/Tavelor-*-setup.exe | head -n 1)"
$wine "$setup" >/dev/null 2>&1 &
window=$(wait_window 'Installation de Tavelor')
sleep 2
import -window "$window" -strip docs/screenshot-windows-installer.png
echo "written: docs/screenshot-windows-installer.png"
/usr/lib/wine/wineserver -k; /usr/lib/wine/wineserver -w

quiz='Z:'"$(pwd | tr / '\\')"'\build-windows\stage\Tavelor\Exemples\Mathématiques\Fractions\fractions.qcm'
for scale in 1 2; do
  $wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale)) /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  $wine build-windows/stage/Tavelor/tavelor.exe "$quiz" >/dev/null 2>&1 &
  main=$(wait_window '^FormQCM')
  read -r wx wy < <(window_origin "$main")
  click_at $((wx + 748 * scale)) $((wy + 503 * scale))                     # Commencer
  click_at $((wx + 369 * scale)) $((wy + (81 + 112 + 56 * 2 + 8) * scale)) # the third proposition
  xdotool mousemove $((wx + 700 * scale)) $((wy + 40 * scale))
  sleep 2
  out=docs/screenshot-windows.png; [ "$scale" = 2 ] && out=docs/screenshot-windows-200.png
  import -window root -crop "$((843 * scale))x$((524 * scale))+$wx+$wy" +repage -strip "$out"
  check_no_key_colour "$out"
  echo "written: $out"
  /usr/lib/wine/wineserver -k; /usr/lib/wine/wineserver -w
done
