#!/usr/bin/env bash
# Configures and builds Tavelor into the folder given (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"; shift || true
LAUNCHER=()
if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$BUILD_DIR" -G Ninja "${LAUNCHER[@]}" "$@"
cmake --build "$BUILD_DIR" -j"$(nproc)"
