#!/usr/bin/env bash
# Installs what is needed, builds, and starts the player. Without a quiz on
# the command line the player starts with a sample quiz ready.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && scripts/install-deps.sh && scripts/build.sh build)
# Arguments are passed on from the caller's folder, so relative quiz paths
# keep their meaning.
for argument in "$@"; do
  case "${argument,,}" in *.qcm) exec "$root/build/tavelor" "$@" ;; esac
done
exec "$root/build/tavelor" "$@" "$root/build/examples/QCM/Mathématiques/Fractions/fractions.qcm"
