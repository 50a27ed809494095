#!/usr/bin/env bash
# The installer on a fresh Windows (a new Wine prefix, on an X server of its
# own): silent install, the installed player taking a quiz with real input,
# a quiz opened through its file type, then the uninstaller.
#   installer.sh SETUP.exe
set -euo pipefail
setup="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap '[ -n "${KEEP_SHOTS:-}" ] || rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$work/shots"
status=0
"$here/../../scripts/with-xvfb.sh" "-screen 0 1024x768x24 -br" \
  bash "$here/installer_session.sh" "$setup" "$work/shots" "$here" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
[ -n "${KEEP_SHOTS:-}" ] && echo "screenshots kept in $work/shots"
exit "$status"
