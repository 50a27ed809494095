#!/usr/bin/env bash
# Installs into a staging folder and checks what a desktop needs is there and valid.
set -euo pipefail
build_dir="$3"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr >/dev/null
fail=0
need() { if [ ! -e "$stage/usr/$1" ]; then echo "missing: /usr/$1"; fail=1; fi; }
need bin/tavelor
need bin/qcmtool
need share/applications/tavelor.desktop
need share/metainfo/org.tavelor.tavelor.metainfo.xml
need share/mime/packages/tavelor-qcm.xml
need share/icons/hicolor/48x48/apps/tavelor.png
need share/icons/hicolor/scalable/apps/tavelor.svg
ls "$stage"/usr/share/tavelor/Exemples/*/*/*.qcm >/dev/null 2>&1 || { echo "missing: sample quizzes"; fail=1; }
desktop-file-validate "$stage/usr/share/applications/tavelor.desktop" || fail=1
appstreamcli validate --no-net "$stage/usr/share/metainfo/org.tavelor.tavelor.metainfo.xml" >/dev/null || {
  appstreamcli validate --no-net "$stage/usr/share/metainfo/org.tavelor.tavelor.metainfo.xml"; fail=1; }
xmllint --noout "$stage/usr/share/mime/packages/tavelor-qcm.xml" 2>/dev/null || true
[ "$fail" -eq 0 ] || exit 1
echo "install layout: ok"
