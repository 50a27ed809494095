#!/usr/bin/env bash
# Measures the player against yardsticks on this machine and prints a table,
# then what each of its speed mechanisms brings (bench/mechanisms.sh).
#   bash bench/run.sh [--quick]    (--quick: 10 s of idle instead of 60 s)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --with-tests
apt_missing=()
for p in libxdamage-dev libx11-dev hyperfine libjpeg-turbo-progs dbus-daemon; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || apt_missing+=("$p")
done
if [ ${#apt_missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y --no-install-recommends "${apt_missing[@]}"
fi
IDLE_SECONDS=60
[ "${1:-}" = "--quick" ] && IDLE_SECONDS=10
BUILD=build-bench
bash scripts/build.sh "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTAVELOR_BUILD_BENCH=ON -DTAVELOR_BUILD_TESTS=OFF >/dev/null
export BUILD IDLE_SECONDS
# A desktop session has a message bus; without one, Qt's accessibility
# bridge would start one for the player on each run.
scripts/with-xvfb.sh "-screen 0 1280x1024x24 -br" dbus-run-session -- bash -c 'bash bench/measure.sh && echo && bash bench/mechanisms.sh'
