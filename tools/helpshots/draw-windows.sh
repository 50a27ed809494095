#!/usr/bin/env bash
# Draws the help's file-dialog pictures as the Windows program shows them:
# helpshots.exe under Wine, on a virtual X server, in a fresh prefix whose
# user is "lea", with the sample quizzes in C:\QCM, all dated alike; at 100 %
# and, named …@2x.png, at 200 %. The other pictures are the same on every
# system and come from draw.sh.
#   draw-windows.sh BUILD-WINDOWS [OUT-FOLDER]   (default: resources/help/windows)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(realpath "$1")"
out="$(realpath -m "${2:-$here/../../resources/help/windows}")"
if [ -z "${TAVELOR_HELPSHOTS_INSIDE:-}" ]; then
  TAVELOR_HELPSHOTS_INSIDE=1 LC_ALL=C.UTF-8 exec "$here/../../scripts/with-xvfb.sh" "-screen 0 1280x1024x24" \
    bash "$0" "$@"
fi
work="$(mktemp -d)"
mkdir -p "$work/locale"
# Wine takes the system's locale, dates and sizes included, from the Unix
# one: a French one, made here, as a French school's computer has.
localedef -i fr_FR -f UTF-8 "$work/locale/fr_FR.UTF-8" 2>/dev/null || [ -d "$work/locale/fr_FR.UTF-8" ]
wine=(env LOCPATH="$work/locale" LC_ALL=fr_FR.UTF-8 "$build/wine-run.sh")
export WINEPREFIX="$work/prefix" USER=lea
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
"${wine[@]}" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w
cp -r "$build/examples/QCM" "$WINEPREFIX/drive_c/QCM"
find "$WINEPREFIX/drive_c/QCM" -exec touch -d "2026-09-07 08:30" {} +
mkdir -p "$work/out" "$out"
for ratio in 1 2; do
  QT_QPA_PLATFORM=windows "${wine[@]}" "$build/tools/helpshots.exe" --ratio $ratio \
    --quiz 'C:\QCM\Mathématiques\Fractions\fractions.qcm' --out "Z:${work//\//\\}\\out" >/dev/null 2>&1
done
for name in help_04 help_04@2x help_05 help_05@2x; do
  cp "$work/out/$name.png" "$out/"
done
echo "written: $out/help_0{4,5}{,@2x}.png"
