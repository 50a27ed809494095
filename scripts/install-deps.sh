#!/usr/bin/env bash
# Installs the Debian 12 packages Tavelor needs to build, run and test.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake ninja-build ccache pkgconf
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  libjpeg-dev libjpeg-turbo-progs nlohmann-json3-dev libcli11-dev libfontconfig-dev libxcb1-dev
  libgtest-dev libbenchmark-dev
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng
  fonts-dejavu-core fonts-liberation2
)
TEST_PACKAGES=(
  xvfb xauth xdotool x11-apps x11-utils imagemagick openbox weston qt6-wayland x11-xserver-utils
  clang libclang-rt-14-dev
  gdk-pixbuf-tests imagemagick-6-doc
  appstream desktop-file-utils poppler-utils
  dbus dbus-x11 at-spi2-core python3-pyatspi
  sox
)
# The Windows programs are cross-built here and tried under Wine.
WINDOWS_PACKAGES=(
  build-essential cmake ninja-build ccache dpkg-dev
  g++-mingw-w64-x86-64-posix nasm nsis wine64
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n nlohmann-json3-dev libcli11-dev
  xvfb xauth xdotool x11-utils imagemagick
)
case "${1:-}" in
  --with-tests) PACKAGES+=("${TEST_PACKAGES[@]}") ;;
  --windows) PACKAGES=("${WINDOWS_PACKAGES[@]}") ;;
esac
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
