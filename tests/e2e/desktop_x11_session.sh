#!/usr/bin/env bash
# Runs inside one X server (see take_quiz_desktops.sh).
set -euo pipefail
tavelor="$1"; setting="$2"; shots="$3"; here="$4"
source "$here/xdriver.sh"
mkdir -p "$shots"
case "$setting" in
  xwayland) # a live Wayland compositor beside the X server, no platform chosen
    start_weston headless "$shots"
    export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY
    unset QT_QPA_PLATFORM
    ;;
  dpi192)
    echo "Xft.dpi: 192" | xrdb -merge
    export E2E_SCALE=2
    ;;
esac
bash "$here/take_quiz_session.sh" "$tavelor" none "$shots" "$here"
