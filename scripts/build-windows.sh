#!/usr/bin/env bash
# Makes the Windows programs (64-bit Windows 10 and 11), their installer and
# a portable zip, on Debian 12, with nothing installed by hand:
#   dist/windows/Tavelor-<version>-setup.exe
#   dist/windows/Tavelor-<version>-portable.zip
# Qt and libjpeg-turbo are cross-built from Debian's sources once, and kept
# in ~/.cache/tavelor. With --with-tests the tests are built too, into the
# same folder (build-windows), for scripts/run-windows-tests.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
tests=OFF
if [ "${1:-}" = "--with-tests" ]; then tests=ON; fi

scripts/install-deps.sh --windows
deps="$(scripts/windows/build-deps.sh)"
qt="$(scripts/windows/build-qt.sh)"

build=build-windows
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -G Ninja --toolchain "$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DTAVELOR_WINDOWS_PREFIX="$deps" -DCMAKE_BUILD_TYPE=Release -DTAVELOR_BUILD_TESTS="$tests" \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
stage="$build/stage/Tavelor"
scripts/windows/stage.sh "$build" "$qt" "$stage"

mkdir -p dist/windows
setup="dist/windows/Tavelor-$version-setup.exe"
portable="dist/windows/Tavelor-$version-portable.zip"
scripts/windows/make-installer.sh "$stage" "$version" "$setup"
rm -f "$portable"
(cd "$(dirname "$stage")" && cmake -E tar cf "$root/$portable" --format=zip "$(basename "$stage")")
ls -l "$setup" "$portable"
