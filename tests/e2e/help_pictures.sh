#!/usr/bin/env bash
# The help's pictures as committed are what tools/helpshots draws from the
# windows as they are now. After a change of look, draw them again:
#   bash tools/helpshots/draw.sh BUILD/tools/helpshots
set -euo pipefail
build="$3"
here="$(cd "$(dirname "$0")" && pwd)"
committed="$here/../../resources/help"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if ! unshare --map-root-user --mount true 2>/dev/null; then
  echo "no private mount namespace here: the pictures cannot be drawn as a pupil's computer shows them" >&2
  exit 1
fi
bash "$here/../../tools/helpshots/draw.sh" "$build/tools/helpshots" "$work"
status=0
for picture in "$committed"/help_*.png; do
  name="$(basename "$picture")"
  # A few pixels of smoothing may differ from one machine to another.
  differing="$(compare -metric AE -fuzz 3% "$picture" "$work/$name" null: 2>&1)" || true
  if ! [[ "$differing" =~ ^[0-9]+$ ]] || [ "$differing" -gt 20 ]; then
    echo "$name differs from what helpshots draws now: $differing" >&2
    status=1
  fi
done
[ "$status" = 0 ] && echo "the $(ls "$committed"/help_*.png | wc -l) help pictures are what helpshots draws now"
exit "$status"
