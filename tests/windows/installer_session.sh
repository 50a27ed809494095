#!/usr/bin/env bash
# Runs inside one X server (see installer.sh).
set -euo pipefail
setup="$1"; shots="$2"; here="$3"
source "$here/../e2e/xdriver.sh"
keep_failure_screenshot "$shots"
wine=/usr/lib/wine/wine64
c="$WINEPREFIX/drive_c"
program="$c/Program Files/Tavelor"
start_menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavelor"
desktop="$c/users/Public/Desktop"
fail() { echo "$*" >&2; exit 1; }
reg_value() { # key value-name (empty: the default) → the value's data, or nothing
  local args=(/ve); [ -n "$2" ] && args=(/v "$2")
  $wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | awk -F'    ' '/REG_/ {print $NF}'
}

$wine wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w

echo "== silent install"
$wine "$setup" /S
for file in tavelor.exe tavelor-editeur.exe qcmtool.exe Qt6Core.dll platforms/qwindows.dll qt.conf \
            translations/qtbase_fr.qm desinstaller.exe; do
  [ -f "$program/$file" ] || fail "not installed: $file"
done
ls "$program/Exemples/"*/*/*.qcm >/dev/null || fail "sample quizzes not installed"
[ -f "$start_menu/Tavelor.lnk" ] || fail "no Start menu shortcut for the player"
[ -f "$start_menu/Éditeur de QCM Tavelor.lnk" ] || fail "no Start menu shortcut for the editor"
[ -f "$desktop/Tavelor.lnk" ] || fail "no desktop shortcut"
[ "$(reg_value 'HKLM\Software\Classes\.qcm' '')" = Tavelor.QCM ] || fail ".qcm is not Tavelor's"
reg_value 'HKLM\Software\Classes\Tavelor.QCM\shell\open\command' '' | grep -qi 'tavelor.exe" "%1"' \
  || fail "no Ouvrir command for quizzes"
reg_value 'HKLM\Software\Classes\Tavelor.QCM\shell\edit\command' '' | grep -qi 'tavelor-editeur.exe" "%1"' \
  || fail "no Modifier command for quizzes"
[ -n "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavelor' DisplayVersion)" ] \
  || fail "not in the list of installed programs"
[ ! -e "$c/QCM" ] || fail "the installer made C:\\QCM"

echo "== the installed qcmtool builds a quiz"
$wine "C:\\Program Files\\Tavelor\\qcmtool.exe" build "Z:${here//\//\\}\\..\\data\\e2e\\essai.json" \
  -o "Z:${shots//\//\\}\\essai.qcm"
[ -s "$shots/essai.qcm" ] || fail "qcmtool.exe wrote no quiz"

echo "== the installed player: a quiz with real input"
$wine "C:\\Program Files\\Tavelor\\tavelor.exe" > "$shots/player.log" 2>&1 &
player=$!
main=$(wait_window '^FormQCM')
check_window_size "$main" 843 524
read -r x0 y0 < <(window_origin "$main")
# Dragged by the header band, clear of every control, in small steps as a hand does:
# the pauses are the hand's pace, part of what is tested.
xdotool mousemove --sync $((x0 + 620)) $((y0 + 25)) mousedown 1
sleep 0.3
for step in 1 2 3 4 5 6; do xdotool mousemove --sync $((x0 + 620 + 10 * step)) $((y0 + 25 + 5 * step)); sleep 0.05; done
sleep 0.3
xdotool mouseup 1
moved() { read -r wx wy < <(window_origin "$main"); [ "$wx $wy" = "$((x0 + 60)) $((y0 + 30))" ]; }
wait_until "the window follows the drag to $((x0 + 60)),$((y0 + 30))" moved || fail "the window is at $wx,$wy"
# Fichier, then "Charger un QCM.": C:\QCM is made, with its two messages.
click_at $((wx + 39)) $((wy + 49))
click_at $((wx + 147)) $((wy + 82))
for _ in 1 2; do
  box=$(wait_window '^Tavelor$')
  # With no window manager, Wine leaves the X keyboard focus where it was.
  xdotool windowfocus "$box"
  xdotool key --clearmodifiers Return
  wait_until "the message leaves" is_gone "$box"
done
[ -d "$c/QCM" ] || fail "the player did not make C:\\QCM"
mkdir -p "$c/QCM/Sciences/Essais"
cp "$shots/essai.qcm" "$c/QCM/Sciences/Essais/essai.qcm"
dialog=$(wait_window '^(Ouvrir|Open)')
xdotool windowfocus "$dialog"
xdotool type --delay 20 'C:\QCM\Sciences\Essais\essai.qcm'
xdotool key --clearmodifiers Return
wait_until "the file dialog leaves" is_gone "$dialog"
click_at $((wx + 600)) $((wy + 300))

click_at $((wx + 748)) $((wy + 503))                   # Commencer
answer() { # rows to tick (1-5)
  for row in "$@"; do click_at $((wx + 369)) $((wy + 201 + 56 * (row - 1))); done
  click_at $((wx + 604)) $((wy + 503))                 # Correction
  local popup; popup=$(wait_window '^Correction')
  read -r px py < <(window_origin "$popup")
  check_over_main "$popup" "$main"
  click_at $((px + 275)) $((py + 35))                  # its close ball
  wait_until "the correction leaves" is_gone "$popup"
  click_at $((wx + 658)) $((wy + 503))                 # next question
}
answer 1
answer 2
answer 3
click_at $((wx + 178)) $((wy + 455))                   # Bilan
expect_region "$shots/review.png" $((wx + 24)) $((wy + 128)) 297 345 "$here/../data/e2e/review_panel_windows.png"
check_no_key_colour "$shots/review.png"
check_pixel "$shots/review.png" "$wx" "$wy" "#000000"  # a key corner shows the root window
click_at $((wx + 58)) $((wy + 86))                     # Quitter
wait_exit "$player"

echo "== a quiz opened through its file type"
$wine start 'C:\QCM\Sciences\Essais\essai.qcm'
main=$(wait_window '^FormQCM')
pgrep -af 'tavelor.exe' | grep -qi 'essai.qcm' || fail "the player was not given the quiz"
import -window root "$shots/opened.png"
check_no_key_colour "$shots/opened.png"
xdotool windowclose "$main" 2>/dev/null || true
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w

echo "== uninstall"
mkdir -p "$c/QCM/Résultats"
echo "Nom;QCM" > "$c/QCM/Résultats/poste.csv"
$wine "C:\\Program Files\\Tavelor\\desinstaller.exe" /S
gone() { [ ! -e "$program" ]; }
wait_until "the uninstaller removes the program" gone
/usr/lib/wine/wineserver -w
[ ! -e "$start_menu" ] || fail "Start menu shortcuts left behind"
[ ! -e "$desktop/Tavelor.lnk" ] || fail "desktop shortcut left behind"
[ -z "$(reg_value 'HKLM\Software\Classes\.qcm' '')" ] || fail ".qcm still opens with Tavelor"
[ -z "$(reg_value 'HKLM\Software\Classes\Tavelor.QCM' '')" ] || fail "the quiz file type is still there"
[ -z "$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavelor' DisplayName)" ] \
  || fail "still in the list of installed programs"
[ -f "$c/QCM/Sciences/Essais/essai.qcm" ] || fail "the uninstaller removed a quiz"
[ -f "$c/QCM/Résultats/poste.csv" ] || fail "the uninstaller removed the results log"
echo "installed, quiz taken, quiz opened by its type, uninstalled: ok"
