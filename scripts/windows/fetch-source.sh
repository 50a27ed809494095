#!/usr/bin/env bash
# Fetches and unpacks a Debian source package (with Debian's patches) into the
# folder given, through a private source list: the machine's own apt sources
# are left as they are.
#   fetch-source.sh PACKAGE DEST
set -euo pipefail
package="$1"; dest="$2"
cache="${TAVELOR_CACHE:-$HOME/.cache/tavelor}/apt"
mkdir -p "$cache/lists/partial" "$cache/archives/partial"
# The same archives, suites and keys as the machine's binary packages.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$f"; echo
done > "$cache/deb-src.sources"
opts=(-o Dir::Etc::SourceList="$cache/deb-src.sources" -o Dir::Etc::SourceParts=/dev/null
      -o Dir::State::Lists="$cache/lists" -o Dir::Cache::Archives="$cache/archives")
# apt's download user cannot write into a private folder of root's.
if [ "$(id -u)" -eq 0 ]; then opts+=(-o APT::Sandbox::User=root); fi
if ! ls "$cache/lists/"*Sources* >/dev/null 2>&1; then
  apt-get "${opts[@]}" update -qq
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get "${opts[@]}" source --download-only -qq "$package")
rm -rf "$dest"; mkdir -p "$(dirname "$dest")"
dpkg-source --no-check -x "$work"/*.dsc "$dest" >/dev/null
