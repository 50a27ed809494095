#!/usr/bin/env bash
# Runs inside one X server (see drag_window.sh).
set -euo pipefail
tavelor="$1"; wm="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
keep_failure_screenshot "$shots"

start_player "$tavelor" "$wm" "$shots"

follow() { # tenths pointer-x y window-x y → moves the pointer there until the window stands there
  local i
  xdotool mousemove --sync "$2" "$3"
  for i in $(seq "$1"); do
    [ "$(window_origin "$main")" = "$4 $5" ] && return 0
    # A motion that came before the window manager took the move is lost: move again.
    if (( i % 10 == 0 )); then xdotool mousemove --sync $(($2 + 1)) "$3" mousemove --sync "$2" "$3"; fi
    sleep 0.1
  done
  echo "the window did not follow the pointer to $2,$3" >&2; return 1
}

drag() { # x y dx dy: press at x,y on screen, move by dx,dy in steps with the window following, release
  local sx sy i try
  read -r sx sy < <(window_origin "$main")
  for try in 1 2 3; do
    xdotool mousemove --sync "$1" "$2" mousedown 1
    follow 50 $(($1 + $3 / 5)) $(($2 + $4 / 5)) $((sx + $3 / 5)) $((sy + $4 / 5)) && break
    # On a loaded machine the window manager may let a first press go by
    # without taking the move: release and press again.
    xdotool mouseup 1
    [ "$try" -lt 3 ] || return 1
    expect_origin "$sx" "$sy"
  done
  for i in 2 3 4 5; do
    follow 300 $(($1 + $3 * i / 5)) $(($2 + $4 * i / 5)) $((sx + $3 * i / 5)) $((sy + $4 * i / 5))
  done
  xdotool mouseup 1
}

expect_origin() { # x y: the window's client area is there (waits up to 30 s)
  local x y i
  for i in $(seq 300); do
    read -r x y < <(window_origin "$main")
    [ "$x $y" = "$1 $2" ] && return 0
    sleep 0.1
  done
  echo "window at $x,$y, expected $1,$2" >&2; return 1
}

read -r wx wy < <(window_origin "$main")
echo "main window at $wx,$wy"

# The header band, clear of every control.
drag $((wx + 620)) $((wy + 25)) 60 40
expect_origin $((wx + 60)) $((wy + 40))
wx=$((wx + 60)); wy=$((wy + 40))
echo "dragged by the header to $wx,$wy"

# The pale bar along the bottom, back up and to the left.
drag $((wx + 300)) $((wy + 505)) -50 -30
expect_origin $((wx - 50)) $((wy - 30))
wx=$((wx - 50)); wy=$((wy - 30))
echo "dragged by the bottom bar to $wx,$wy"

# A key-colour corner is not part of the window: pressing there moves nothing.
# The place is read after a later drag that the player takes in turn, so a
# late move could not pass unseen.
xdotool mousemove --sync $((wx + 1)) $((wy + 1)) mousedown 1 mousemove --sync $((wx + 81)) $((wy + 81)) mouseup 1
drag $((wx + 620)) $((wy + 25)) 10 10
expect_origin $((wx + 10)) $((wy + 10))
wx=$((wx + 10)); wy=$((wy + 10))
echo "a press outside the outline left it there"

# The window still works where it now stands: "Quitter" ends the program.
click_at $((wx + 58)) $((wy + 86))
wait_exit "$player"
echo "window dragged and program ended"
