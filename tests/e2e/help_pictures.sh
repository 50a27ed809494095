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
skip='^$'
if unshare --map-root-user --mount true 2>/dev/null; then
  bash "$here/../../tools/helpshots/draw.sh" "$build/tools/helpshots" "$work"
else
  # Without a private /home the file dialog shows a scratch folder: its two
  # pictures cannot match, the others still must.
  echo "no private mount namespace here: the file dialog's pictures are not compared" >&2
  skip='^help_0[45](@2x)?\.png$'
  mkdir -p "$work/home"
  for ratio in 1 2; do
    HOME="$work/home" "$build/tools/helpshots" --ratio $ratio --out "$work" >/dev/null 2>&1
  done
fi
bash "$here/../common/same_pictures.sh" "$committed" "$work" "$skip"
