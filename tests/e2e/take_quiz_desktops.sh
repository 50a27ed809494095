#!/usr/bin/env bash
# The whole quiz of take_quiz.sh on the other desktops pupils have: a Wayland
# session that offers XWayland (the player must choose X11), an X11 desktop
# at 200 % (Xft.dpi 192), and native Wayland under weston.
set -euo pipefail
tavelor="$1"; qcmtool="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xdriver.sh"
prepare_home "$qcmtool" "$here"
# Each desktop with a message bus (see xdriver.sh).
for setting in xwayland dpi192; do
  echo "== desktop: $setting"
  "$here/../../scripts/with-xvfb.sh" "-screen 0 1920x1200x24 -br" \
    dbus-run-session -- bash "$here/desktop_x11_session.sh" "$tavelor" "$setting" "$work/shots-$setting" "$here"
done
echo "== desktop: wayland"
"$here/../../scripts/with-xvfb.sh" "-screen 0 1280x800x24 -br" \
  dbus-run-session -- bash "$here/desktop_wayland_session.sh" "$tavelor" "$work/shots-wayland" "$here"
