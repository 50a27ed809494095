#!/usr/bin/env bash
# Cross-builds Debian's libjpeg-turbo for 64-bit Windows and lays Debian's
# nlohmann-json and CLI11 headers beside it, in a cache folder outside the
# work tree; reused while the versions and settings stay. Prints the prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cache="${TAVELOR_CACHE:-$HOME/.cache/tavelor}"
jpeg_flags=(-DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
            -DWITH_CRT_DLL=ON)
headers_version="$(dpkg-query -W -f='${Version} ' nlohmann-json3-dev libcli11-dev)"
key="$(printf '%s\n' "${jpeg_flags[@]}" "$headers_version" | cat - "$here/mingw-toolchain.cmake" \
       | sha256sum | cut -c1-10)"
prefix="$cache/deps-mingw64-$key"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

rm -rf "$prefix"
mkdir -p "$prefix/include" "$prefix/share/cmake"
src="$cache/src/libjpeg-turbo"
[ -f "$src/CMakeLists.txt" ] || "$here/fetch-source.sh" libjpeg-turbo "$src" >&2
build="$(mktemp -d)"
trap 'rm -rf "$build"' EXIT
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${jpeg_flags[@]}" >&2
cmake --build "$build" >&2
cmake --install "$build" >&2
# Header-only libraries: the headers and CMake files of Debian's packages,
# which find their headers relative to themselves.
cp -r /usr/include/nlohmann /usr/include/CLI "$prefix/include/"
cp -r /usr/share/cmake/nlohmann_json /usr/share/cmake/CLI11 "$prefix/share/cmake/"
touch "$prefix/.complete"
echo "$prefix"
