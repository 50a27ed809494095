#!/usr/bin/env bash
# Draws the help's pictures as a pupil's computer shows them: helpshots runs
# in a private mount namespace where /home holds only a home folder of a
# plausible name, /home/lea, with the sample quizzes in its QCM folder, all
# dated alike, so that no build path, temporary name or date of the day shows;
# at 100 % and, named …@2x.png, at 200 %.
#   draw.sh HELPSHOTS [OUT-FOLDER]   (default: resources/help)
set -euo pipefail
helpshots="$(realpath "$1")"
samples="$(dirname "$helpshots")/../examples/QCM"
out="$(realpath -m "${2:-$(dirname "$0")/../../resources/help}")"
mkdir -p "$out"
exec unshare --map-root-user --mount bash -c '
  set -e
  mount -t tmpfs tmpfs /home
  mkdir -p /home/lea
  cp -r "$1" /home/lea/QCM
  find /home/lea/QCM -exec touch -d "2026-09-07 08:30" {} +
  for ratio in 1 2; do
    HOME=/home/lea "$0" --ratio $ratio --quiz /home/lea/QCM/Mathématiques/Fractions/fractions.qcm --out "$2" \
      >/dev/null 2>&1
  done
' "$helpshots" "$samples" "$out"
