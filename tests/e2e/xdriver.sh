# Helpers for driving the player with real X input and checking screenshots.

wait_window() { # name regex → window id, waiting up to 10 s
  local id="" i
  for i in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window '$1' did not appear" >&2; return 1
}

window_origin() { # window id → "x y" of its client area on screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

click_at() {
  xdotool mousemove --sync "$1" "$2"
  sleep 0.15
  xdotool click 1
  sleep 0.3
}

wait_exit() { # pid → waits up to 10 s for it to end with status 0
  local i
  for i in $(seq 100); do
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

under_each_window_manager() { # session-script tavelor → the session in a fresh X server, bare then under openbox
  local wm
  for wm in none openbox; do
    echo "== window manager: $wm"
    xvfb-run -a -s "-screen 0 1024x768x24 -br" bash "$here/$1" "$2" "$wm" "$work/shots-$wm" "$here"
  done
}

keep_failure_screenshot() { # shots-folder → on any failing command, a screenshot of the screen there
  mkdir -p "$1"
  trap "import -window root '$1/failure.png' 2>/dev/null; echo 'screenshot of the failure: $1/failure.png' >&2" ERR
}

start_player() { # tavelor window-manager shots-folder → sets player (pid) and main (window id)
  if [ "$2" = openbox ]; then openbox >/dev/null 2>&1 & sleep 1; fi
  "$1" > "$3/player.log" 2>&1 &
  player=$!
  main=$(wait_window '^FormQCM$')
}
