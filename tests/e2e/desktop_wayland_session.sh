#!/usr/bin/env bash
# Runs inside one X server that holds a nested weston (see
# take_quiz_desktops.sh): the player is a native Wayland client. X input on
# weston's output reaches it; windows are found on screenshots, over the
# compositor's black background.
set -euo pipefail
tavelor="$1"; shots="$2"; here="$3"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"
start_weston x11 "$shots"
export WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland

shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }
corner_print() { import -window root -crop 16x16+0+0 +repage rgb:- 2>/dev/null | md5sum; }
corner_differs() { [ "$(corner_print)" != "$1" ]; }
move_pointer() { # x y → moves the pointer there, and waits for weston to draw it in or out of the top-left corner
  local before
  before=$(corner_print)
  xdotool mousemove "$1" "$2"
  wait_until "weston draws the pointer at $1,$2" corner_differs "$before"
}
content_box() { # name → its screenshot, and "x y w h" of all that is not background on it
  # weston draws the pointer: seen from two far corners and darkened
  # together, only the windows stay.
  move_pointer 0 0; shot "$1-a" >/dev/null
  move_pointer 1199 759; shot "$1" >/dev/null
  local box
  box=$(convert "$shots/$1-a.png" "$shots/$1.png" -compose darken -composite -trim -format '%X %Y %w %h' info: \
        2>/dev/null || echo "0 0 0 0")
  echo "${box//+/}"
}
# Windows have no name to be found by on Wayland: each is known on the screen
# by a colour of its own, exact once weston's fade-in has ended. The message
# holds some 17,000 pixels of the dialogs' grey, the file dialog 70,000; the
# pop-up's frame 950 of its blue.
DialogGrey='#EFEFEF'; PopupBlue='#3F86B0'
pixels_of() { # colour → how many pixels of the screen have it
  shot count >/dev/null
  convert "$shots/count.png" -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:int(mean*w*h+0.5)]' info:
}
more_than() { [ "$(pixels_of "$2")" -gt "$1" ]; } # count colour
at_most() { [ "$(pixels_of "$2")" -le "$1" ]; }   # count colour

# Qt's Wayland plugin and the keyboard libraries it loads (one of them
# unloaded before the end) leave allocations at exit that no suppression can
# name; the leak check of our own code runs in every X11 test.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$tavelor" > "$shots/player.log" 2>&1 &
player=$!
# The window is there when the screen holds exactly its outline (the skin's
# one-pixel key frame is transparent).
for i in $(seq 100); do
  read -r bx by bw bh <<< "$(content_box start)"
  [ "$bw $bh" = "841 522" ] && break
  sleep 0.1
done
[ "$bw $bh" = "841 522" ] || { echo "main window not found: $bw x $bh" >&2; exit 1; }
wx=$((bx - 1)); wy=$((by - 1))
echo "main window at $wx,$wy"
check_no_key_colour "$shots/start.png"
check_pixel "$shots/start.png" "$wx" "$wy" "#000000"   # a key corner shows the background

click_at $((wx + 39)) $((wy + 49))     # Fichier
click_at $((wx + 147)) $((wy + 82))    # Charger un QCM.
wait_until "the message shows" more_than 5000 "$DialogGrey"
xdotool key --clearmodifiers Return    # "Les dossiers QCM sont prêts."
wait_until "the file dialog shows" more_than 40000 "$DialogGrey"
xdotool type --delay 20 "$HOME/QCM/Sciences/Essais/essai.qcm"
xdotool key --clearmodifiers Return
wait_until "the file dialog leaves" at_most 100 "$DialogGrey"
# The name field's completion list may outlive the dialog by one click.
click_at $((wx + 600)) $((wy + 300))
click_at $((wx + 748)) $((wy + 503))   # Commencer
answer() { # rows to tick; the pop-up is closed from the keyboard
  for row in "$@"; do click_at $((wx + 369)) $((wy + 81 + 112 + 56 * (row - 1) + 8)); done
  click_at $((wx + 604)) $((wy + 503))   # Correction
  wait_until "the correction shows" more_than 500 "$PopupBlue"
  local name="correction-$1" cx cy cw ch
  read -r cx cy cw ch <<< "$(content_box "$name")"
  check_no_key_colour "$shots/$name.png"
  # The compositor places the pop-up where it likes at each showing (move()
  # is ignored on Wayland); tied to the main window it stays above it and on
  # the screen.
  [ "$cx" -ge 0 ] && [ "$cy" -ge 0 ] && [ $((cx + cw)) -le 1200 ] && [ $((cy + ch)) -le 760 ] \
    || { echo "the pop-up lies outside the main window: $cx,$cy ${cw}x$ch" >&2; exit 1; }
  xdotool key --clearmodifiers Return
  wait_until "the correction leaves" at_most 0 "$PopupBlue"
  click_at $((wx + 658)) $((wy + 503))   # next question
}
answer 1
answer 2
answer 3
click_at $((wx + 178)) $((wy + 455))   # Bilan
expect_region "$shots/review.png" $((wx + 24)) $((wy + 128)) 297 345 "$here/../data/e2e/review_panel.png"
check_no_key_colour "$shots/review.png"
check_pixel "$shots/review.png" "$wx" "$wy" "#000000"
click_at $((wx + 58)) $((wy + 86))     # Quitter
wait_exit "$player"
echo "quiz taken on Wayland, review shown, program ended"
