#!/usr/bin/env bash
# Installs the Debian 12 packages Tavelor needs to build, run and test.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake ninja-build ccache pkgconf
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  libjpeg-dev libjpeg-turbo-progs nlohmann-json3-dev libcli11-dev libfontconfig-dev libxcb1-dev
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation2
)
TEST_PACKAGES=(
  xvfb xauth xdotool x11-apps x11-utils imagemagick openbox weston qt6-wayland x11-xserver-utils
  clang libclang-rt-14-dev
  gdk-pixbuf-tests imagemagick-6-doc
  appstream desktop-file-utils poppler-utils
  dbus dbus-x11 at-spi2-core python3-pyatspi
)
if [ "${1:-}" = "--with-tests" ]; then PACKAGES+=("${TEST_PACKAGES[@]}"); fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
