#!/usr/bin/env bash
# Cross-builds Debian's Qt 6.4.2 qtbase for 64-bit Windows, with only the
# modules Tavelor uses, into a cache folder outside the work tree; a cached
# build with the same version and settings is reused. Prints the prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cache="${TAVELOR_CACHE:-$HOME/.cache/tavelor}"
version=6.4.2
flags=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF
  # Debian's source leaves out the tablet library the Windows plugin needs.
  -DFEATURE_tabletevent=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
)
key="$(printf '%s\n' "$version" "${flags[@]}" | cat - "$here/mingw-toolchain.cmake" | sha256sum | cut -c1-10)"
prefix="$cache/qt-$version-mingw64-$key"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

src="$cache/src/qtbase-$version"
if [ ! -f "$src/CMakeLists.txt" ]; then
  "$here/fetch-source.sh" qt6-base "$src" >&2
fi
rm -rf "$prefix"
mkdir -p "$prefix"
# Qt's installed toolchain file loads this one again: keep a copy beside it,
# so that the cache serves any clone of the project.
cp "$here/mingw-toolchain.cmake" "$prefix/mingw-toolchain.cmake"
build="$cache/build/qt-$version-mingw64-$key"
rm -rf "$build"
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${flags[@]}" >&2
cmake --build "$build" >&2
cmake --install "$build" >&2
rm -rf "$build"
# Qt's French texts, from Debian's package: the tests read them where Qt
# looks by default; the programs get their own copy.
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_fr.qm "$prefix/translations/"
touch "$prefix/.complete"
echo "$prefix"
