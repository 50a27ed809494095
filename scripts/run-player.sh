#!/usr/bin/env bash
# Installs what is needed, builds, and starts the player.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
exec build/tavelor "$@"
