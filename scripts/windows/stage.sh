#!/usr/bin/env bash
# Lays out the Windows programs as they are installed, in one folder that
# also runs as it is (the portable zip): the programs, the DLLs they import,
# Qt's plugins and French translation, and the sample quizzes.
#   stage.sh BUILD_DIR QT_PREFIX STAGE_DIR
set -euo pipefail
build="$1"; qt="$2"; stage="$3"
strip=x86_64-w64-mingw32-strip
objdump=x86_64-w64-mingw32-objdump
runtime=(
  "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)"
  "$(x86_64-w64-mingw32-g++-posix -print-file-name=libgcc_s_seh-1.dll)"
  "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)"
)

rm -rf "$stage"
mkdir -p "$stage"/{platforms,styles,imageformats,translations}
cp "$build/tavelor.exe" "$build/tavelor-editeur.exe" "$build/tools/qcmtool.exe" "$stage/"
# The window system of Windows; offscreen is what qcmtool decodes pictures on.
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
# JPEG is decoded by our own libjpeg; these read the rest of what the editor
# imports and the player shows (BMP and PNG are part of Qt itself).
cp "$qt/plugins/imageformats/"{qgif,qico,qjpeg}.dll "$stage/imageformats/"
cp /usr/share/qt6/translations/qtbase_fr.qm "$stage/translations/"
cat > "$stage/qt.conf" <<'CONF'
[Paths]
Prefix = .
Plugins = .
Translations = translations
CONF
cp -r "$build/examples/QCM" "$stage/Exemples"

# Each DLL that a shipped program or DLL imports and that Qt or the MinGW
# runtime provides, until none is missing; the rest are Windows' own.
provider() {
  local name="$1" candidate
  for candidate in "$qt/bin/$name" "${runtime[@]}"; do
    if [ -f "$candidate" ] && [ "$(basename "$candidate")" = "$name" ]; then echo "$candidate"; return; fi
  done
}
while :; do
  added=0
  while IFS= read -r dll; do
    [ -e "$stage/$dll" ] && continue
    source="$(provider "$dll")"
    [ -n "$source" ] || continue
    cp "$source" "$stage/"
    added=1
  done < <(find "$stage" -iname '*.exe' -o -iname '*.dll' | while IFS= read -r file; do
             "$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p'
           done | sort -u)
  [ "$added" -eq 1 ] || break
done
find "$stage" \( -iname '*.exe' -o -iname '*.dll' \) -exec "$strip" --strip-unneeded {} +
