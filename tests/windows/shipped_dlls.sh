#!/usr/bin/env bash
# Every DLL that a shipped program or DLL imports is shipped beside it, or is
# part of Windows 10 and 11.
#   shipped_dlls.sh STAGE_DIR
set -euo pipefail
stage="$1"
# Windows' own, as the programs and Qt import them.
system_dlls=(
  advapi32 authz bcrypt comctl32 comdlg32 crypt32 d3d11 d3d12 d3d9 dnsapi dwmapi dwrite dxgi gdi32 imm32
  iphlpapi kernel32 mpr msvcrt netapi32 normaliz ntdll ole32 oleaut32 opengl32 rpcrt4 secur32 setupapi
  shcore shell32 shlwapi user32 userenv uxtheme version winmm winspool ws2_32 wtsapi32
)
missing=0 checked=0
while IFS= read -r -d '' file; do
  checked=$((checked + 1))
  while IFS= read -r dll; do
    lower="${dll,,}"
    case "$lower" in api-ms-win-*) continue ;; esac
    [[ " ${system_dlls[*]} " == *" ${lower%.*} "* ]] && continue
    if [ -z "$(find "$stage" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
      echo "${file#"$stage"/} imports $dll, which is neither shipped nor part of Windows"
      missing=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$stage" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
[ "$checked" -gt 10 ] || { echo "only $checked programs and DLLs in $stage"; exit 1; }
[ "$missing" -eq 0 ] || exit 1
echo "$checked programs and DLLs: every import is shipped or part of Windows"
find "$stage" -maxdepth 2 -iname '*.dll' -printf '%P\n' | sort
