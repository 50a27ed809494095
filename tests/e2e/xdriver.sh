# Helpers for driving the player with real X input and checking screenshots.

wait_window() { # name regex → window id, waiting up to 30 s
  local id="" i
  for i in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window '$1' did not appear" >&2; return 1
}

window_origin() { # window id → "x y" of its client area on screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

# The player takes X input in the order it was sent, so a click needs no pause
# after it; what must be waited for is a window of its own appearing, leaving
# or taking the keyboard, which the X server settles, not the player.
click_at() {
  xdotool mousemove --sync "$1" "$2" click 1
}

# Generous limits: a loaded machine may take seconds where an idle one takes
# a tenth, and a wait that ends early costs nothing.
wait_until() { # description command... → runs the command every tenth of a second until it succeeds, 30 s at most
  local i
  for i in $(seq 300); do
    "${@:2}" && return 0
    sleep 0.1
  done
  echo "$1: still not so after 30 s" >&2; return 1
}

has_focus() { # window id → whether the keyboard goes to it
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

is_gone() { # window id → whether it has left the screen
  ! xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"
}

window_manager_runs() { # whether a window manager has announced itself, moving windows included
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
    xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_WM_MOVERESIZE
}

wait_exit() { # pid → waits up to 30 s for it to end with status 0
  local i
  for i in $(seq 300); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
    sleep 0.1
  done
  echo "the player did not end" >&2; return 1
}

check_no_key_colour() { # screenshot → fails if any pixel is exactly the key colour
  local n
  n=$(convert "$1" -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$n" -eq 0 ] || { echo "$n key-colour pixels on screen" >&2; return 1; }
}

check_window_size() { # window id, width, height in device pixels
  local size
  size=$(xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
  [ "$size" = "$2x$3" ] || { echo "window is $size, expected $2x$3" >&2; return 1; }
}

check_over_main() { # pop-up id, main id → the pop-up overlaps the main window and lies above it
  local px py mx my
  read -r px py < <(window_origin "$1"); read -r mx my < <(window_origin "$2")
  [ "$px" -lt $((mx + 843 * ${E2E_SCALE:-1})) ] && [ "$py" -lt $((my + 524 * ${E2E_SCALE:-1})) ] \
    && [ $((px + 313 * ${E2E_SCALE:-1})) -gt "$mx" ] && [ $((py + 201 * ${E2E_SCALE:-1})) -gt "$my" ] \
    || { echo "the correction window at $px,$py lies outside the main window at $mx,$my" >&2; return 1; }
}

check_pixel() { # screenshot x y #RRGGBB
  local got
  got=$(convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6)
  [ "#${got^^}" = "${4^^}" ] || { echo "pixel $2,$3 is #$got, expected $4" >&2; return 1; }
}

compare_region() { # screenshot x y w h reference → fails when more than 2 % of pixels differ
  local diff total
  convert "$1" -crop "$4x$5+$2+$3" +repage "${1%.png}-region.png"
  if [ ! -f "$6" ] || [ -n "${TAVELOR_UPDATE_REFERENCES:-}" ]; then
    cp "${1%.png}-region.png" "$6"; echo "reference written: $6"; return 0
  fi
  diff=$(compare -metric AE -fuzz 10% "${1%.png}-region.png" "$6" null: 2>&1 || true)
  total=$(( $4 * $5 ))
  [ "${diff%.*}" -le $(( total / 50 )) ] || { echo "region differs from $6 in $diff pixels" >&2; return 1; }
}

prepare_home() { # qcmtool tests/e2e-folder → a fresh home whose quiz folder holds the test quiz
  work="$(mktemp -d)"
  trap '[ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$HOME/QCM/Sciences/Essais" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  "$1" build "$2/../data/e2e/essai.json" -o "$HOME/QCM/Sciences/Essais/essai.qcm" >/dev/null
}

# Each session has a message bus, as every desktop does. Without one, Qt's
# accessibility bridge has the D-Bus library start a bus by forking while
# the player's other threads run; under AddressSanitizer the child can then
# spin for ever on an allocator lock that one of them held.
under_each_window_manager() { # session-script tavelor → the session in a fresh X server, bare then under openbox
  local wm
  for wm in none openbox; do
    echo "== window manager: $wm"
    "$here/../../scripts/with-xvfb.sh" "-screen 0 1024x768x24 -br" \
      dbus-run-session -- bash "$here/$1" "$2" "$wm" "$work/shots-$wm" "$here"
  done
}

keep_failure_screenshot() { # shots-folder → on any failing command, a screenshot of the screen there
  mkdir -p "$1"
  trap "import -window root '$1/failure.png' 2>/dev/null; echo 'screenshot of the failure: $1/failure.png' >&2" ERR
}

start_player() { # tavelor window-manager shots-folder → sets player (pid) and main (window id)
  if [ "$2" = openbox ]; then
    openbox > "$3/openbox.log" 2>&1 &
    wait_until "openbox manages the screen" window_manager_runs || { cat "$3/openbox.log" >&2; return 1; }
  fi
  "$1" > "$3/player.log" 2>&1 &
  player=$!
  main=$(wait_window '^FormQCM$') || { report_player "$3/player.log"; return 1; }
}

report_player() { # player's log → says on stderr whether the player still runs, and what it wrote
  if kill -0 "$player" 2>/dev/null; then
    echo "the player still runs; its threads:" >&2
    gdb -p "$player" -batch -ex "thread apply all bt 25" 2>/dev/null | grep '^#\|^Thread' >&2 || true
  else
    wait "$player" && status=0 || status=$?
    echo "the player ended with status $status" >&2
  fi
  echo "its output:" >&2; cat "$1" >&2
}

shows_region() { # screenshot x y w h reference → takes the screenshot, then compares as compare_region does
  import -window root "$1" && compare_region "$@" 2>/dev/null
}

expect_region() { # screenshot x y w h reference → waits up to 30 s for the screen there to match the reference
  if [ ! -f "$6" ] || [ -n "${TAVELOR_UPDATE_REFERENCES:-}" ]; then
    # A new reference is taken once the region has held still for a second.
    wait_still "$2" "$3" "$4" "$5"
    import -window root "$1"; compare_region "$@"; return
  fi
  wait_until "the screen at $2,$3 looks like $6" shows_region "$@" || compare_region "$@"
}

wait_still() { # x y w h → waits up to 30 s for the screen there to hold still: its painting has ended
  still=0; last_print=""
  wait_until "the screen at $1,$2 holds still" holds_still "$@"
}

holds_still() { # x y w h → true once the screen there has been the same for ten calls in a row
  local now
  now=$(import -window root -crop "${3}x${4}+$1+$2" +repage rgb:- 2>/dev/null | md5sum)
  if [ "$now" = "$last_print" ]; then still=$((still + 1)); else still=0; last_print=$now; fi
  [ "$still" -ge 10 ]
}

start_weston() { # backend (headless or x11) shots-folder → a compositor on $WAYLAND_DISPLAY, stopped on exit
  WAYLAND_DISPLAY="wl-e2e-$$"
  cat > "$2/weston.ini" <<INI
[core]
idle-time=0
[shell]
background-color=0xff000000
panel-position=none
locking=false
INI
  weston --backend="$1-backend.so" --use-pixman --width=1200 --height=760 --socket="$WAYLAND_DISPLAY" \
    --config="$2/weston.ini" > "$2/weston.log" 2>&1 &
  local weston=$! i
  trap "kill $weston 2>/dev/null || true" EXIT
  for i in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && return 0
    sleep 0.1
  done
  echo "weston did not start" >&2; cat "$2/weston.log" >&2; return 1
}
