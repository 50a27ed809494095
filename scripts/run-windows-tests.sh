#!/usr/bin/env bash
# Builds the Windows programs, their installer and their tests, then runs the
# tests as Windows programs under Wine, in a fresh Wine prefix, on an X server
# of their own. The Linux build (scripts/run-tests.sh) must be there first:
# qcmtool.exe is checked against it.
set -euo pipefail
cd "$(dirname "$0")/.."
# Wine hands accented arguments over only from a UTF-8 locale.
export LC_ALL=C.UTF-8
rm -rf build-windows/wine
scripts/build-windows.sh --with-tests
status=0
scripts/with-xvfb.sh "-screen 0 1280x1024x24" bash -c '
  build-windows/wine-run.sh wineboot --init >/dev/null 2>&1
  cd build-windows && ctest --output-on-failure -j2' || status=$?
WINEPREFIX="$PWD/build-windows/wine" /usr/lib/wine/wineserver -k 2>/dev/null || true
exit "$status"
