#!/usr/bin/env bash
# Makes the installer of the staged programs with NSIS. The uninstaller
# removes the very files installed, listed here, and nothing else.
#   make-installer.sh STAGE_DIR VERSION OUTPUT.exe
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
stage="$(cd "$1" && pwd)"; version="$2"; output="$3"
lists="$(mktemp -d)"
trap 'rm -rf "$lists"' EXIT
winpath() { local p="${1#./}"; [ "$p" = "." ] && echo '$INSTDIR' || echo "\$INSTDIR\\${p//\//\\}"; }
(
  cd "$stage"
  while IFS= read -r dir; do
    echo "SetOutPath \"$(winpath "$dir")\""
    find "$dir" -maxdepth 1 -type f | LC_ALL=C sort | while IFS= read -r file; do
      echo "File \"$stage/${file#./}\""
    done
  done < <(find . -type d | LC_ALL=C sort) > "$lists/install-files.nsh"
  find . -type f | LC_ALL=C sort | while IFS= read -r file; do
    echo "Delete \"$(winpath "$file")\""
  done > "$lists/uninstall-files.nsh"
  # Deepest first; a folder someone added files to stays.
  find . -mindepth 1 -type d | LC_ALL=C sort -r | while IFS= read -r dir; do
    echo "RMDir \"$(winpath "$dir")\""
  done >> "$lists/uninstall-files.nsh"
)
size_kb="$(du -sk "$stage" | cut -f1)"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSIZE_KB="$size_kb" -DLISTS="$lists" \
  -DICON="$root/resources/images/tavelor.ico" -DOUTFILE="$(realpath -m "$output")" \
  "$root/dist/installer/tavelor.nsi"
