#!/usr/bin/env bash
# Makes the .deb from a build folder, installs it on this machine with apt
# (without its recommended packages, so that removing it leaves the machine
# as it was),
# checks that the program starts and that its desktop files are in place,
# then removes it. Installs system-wide: run as root, on a test machine.
#   bash tests/package/install_deb.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
out="$(mktemp -d)"; work="$(mktemp -d)"
installed=0
cleanup() {
  [ "$installed" -eq 1 ] && apt-get remove -y tavelor >/dev/null 2>&1 && echo "package removed"
  rm -rf "$out" "$work"
}
trap cleanup EXIT
if dpkg-query -W -f='${Status}' tavelor 2>/dev/null | grep -q "install ok installed"; then
  echo "tavelor is already installed: remove it first" >&2; exit 1
fi

cmake --build "$build" --target tavelor tavelor-editeur qcmtool sample_quizzes >/dev/null
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb="$(ls "$out"/tavelor_*.deb)"
echo "== $(basename "$deb")"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends Installed-Size

fail=0
check() { if "$@" >/dev/null 2>&1; then echo "ok: $*"; else echo "FAILED: $*"; fail=1; fi; }
depends="$(dpkg-deb -f "$deb" Depends)"
for package in qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libqt6gui6 libqt6core6; do
  check grep -qw "$package" <<<"$depends"
done

echo "== apt-get install"
apt-get install -y --no-install-recommends "$deb" 2>&1 | grep -E "^(Setting up|Processing triggers|The following NEW)" || true
installed=1

check test -x /usr/bin/tavelor
check /usr/bin/qcmtool --help
check desktop-file-validate /usr/share/applications/tavelor.desktop
check test -x /usr/bin/tavelor-editeur
check desktop-file-validate /usr/share/applications/tavelor-editeur.desktop
check appstreamcli validate --no-net /usr/share/metainfo/org.tavelor.tavelor.metainfo.xml
check test -f /usr/share/icons/hicolor/48x48/apps/tavelor.png
check test -f /usr/share/icons/hicolor/scalable/apps/tavelor.svg
# The triggers of shared-mime-info registered the quiz file type.
check grep -q 'application/x-qcm' /usr/share/mime/globs2
check test -f /usr/share/tavelor/Exemples/Mathématiques/Fractions/fractions.qcm
check test -f /usr/share/tavelor/Exemples/Mathématiques/Fractions/images/quart.bmp

# The installed program starts and opens a sample quiz named on its command
# line, as the desktop entry's %f does; it finds its samples by itself.
cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
export HOME="$1"
/usr/bin/tavelor /usr/share/tavelor/Exemples/Mathématiques/Fractions/fractions.qcm >"$HOME/player.log" 2>&1 &
player=$!
for _ in $(seq 100); do
  id=$(xdotool search --onlyvisible --name '^FormQCM$' 2>/dev/null | tail -n 1 || true)
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { echo "no window"; cat "$HOME/player.log"; exit 1; }
xwininfo -id "$id" | awk '/Width|Height/ {printf "%s%s ", $1, $2} END {print ""}'
sleep 1 # still running a moment after its window shows: the sample quiz did not end it
kill -0 "$player"
kill "$player"; wait "$player" 2>/dev/null || true
SESSION
echo "== /usr/bin/tavelor on Xvfb"
if scripts/with-xvfb.sh "-screen 0 1024x768x24" bash "$work/session.sh" "$work"; then
  echo "ok: the window appeared and the program kept running"
else
  echo "FAILED: /usr/bin/tavelor"; fail=1
fi

[ "$fail" -eq 0 ] && echo "package: ok" || { echo "package: FAILED"; exit 1; }
