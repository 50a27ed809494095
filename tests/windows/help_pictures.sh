#!/usr/bin/env bash
# The file dialog's pictures in the Windows program's help are what
# helpshots.exe draws under Wine now. After a change of look, draw them again:
#   bash tools/helpshots/draw-windows.sh build-windows
set -euo pipefail
build="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bash "$here/../../tools/helpshots/draw-windows.sh" "$build" "$work" >/dev/null
bash "$here/../common/same_pictures.sh" "$here/../../resources/help/windows" "$work"
