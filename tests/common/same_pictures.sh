#!/usr/bin/env bash
# Whether each committed picture is what was drawn now, but for a few pixels
# of smoothing that may differ from one machine to another.
#   same_pictures.sh COMMITTED-FOLDER DRAWN-FOLDER [NAMES-TO-SKIP-REGEX]
set -euo pipefail
committed="$1" drawn="$2" skip="${3:-^$}"
status=0
compared=0
for picture in "$committed"/*.png; do
  name="$(basename "$picture")"
  [[ "$name" =~ $skip ]] && continue
  compared=$((compared + 1))
  differing="$(compare -metric AE -fuzz 3% "$picture" "$drawn/$name" null: 2>&1)" || true
  if ! [[ "$differing" =~ ^[0-9]+$ ]] || [ "$differing" -gt 20 ]; then
    echo "$name differs from what helpshots draws now: $differing" >&2
    status=1
  fi
done
[ "$status" = 0 ] && echo "the $compared pictures compared are what helpshots draws now"
exit "$status"
