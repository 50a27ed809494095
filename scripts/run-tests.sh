#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test headless.
# With --sanitize, the same in an AddressSanitizer + UBSan build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --with-tests
BUILD_DIR=build
EXTRA=()
if [ "${1:-}" = "--sanitize" ]; then
  BUILD_DIR=build-asan
  EXTRA=(-DTAVELOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
scripts/build.sh "$BUILD_DIR" "${EXTRA[@]}"
cd "$BUILD_DIR"
ctest --output-on-failure -j2
