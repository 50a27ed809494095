#!/usr/bin/env bash
# qcmtool.exe reads and writes quiz files as the Linux qcmtool does: the
# sample quizzes it built are the same bytes, and its dump of each, given a
# Windows path with accents, is the same text.
#   qcmtool_dump.sh WINE_RUN STAGE_DIR LINUX_BUILD_DIR
set -euo pipefail
wine_run="$1"; stage="$2"; linux_build="$3"
[ -x "$linux_build/tools/qcmtool" ] || { echo "no Linux build in $linux_build (scripts/run-tests.sh makes it)"; exit 1; }
count=0
while IFS= read -r -d '' quiz; do
  relative="${quiz#"$stage/Exemples/"}"
  cmp "$quiz" "$linux_build/examples/QCM/$relative"
  windows_path="Z:${quiz//\//\\}"
  diff <("$linux_build/tools/qcmtool" dump "$quiz") <("$wine_run" "$stage/qcmtool.exe" dump "$windows_path")
  echo "same dump: $relative"
  count=$((count + 1))
done < <(find "$stage/Exemples" -name '*.qcm' -print0)
[ "$count" -ge 2 ] || { echo "only $count sample quizzes found"; exit 1; }
