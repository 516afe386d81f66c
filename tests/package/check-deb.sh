#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and checks that the desktop
# finds the program, its entry and its icon, and that the program starts.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

(cd "$build" && cpack -G DEB >/dev/null)
deb=$build/stelvana.deb
dpkg-deb -x "$deb" "$root"

fail() { echo "FAIL: $*"; exit 1; }
desktop=$root/usr/share/applications/stelvana.desktop
[[ -x $root/usr/bin/stelvana ]] || fail "no /usr/bin/stelvana"
[[ -f $desktop ]] || fail "no desktop entry"
[[ -f $root/usr/share/icons/hicolor/scalable/apps/stelvana.svg ]] || fail "no hicolor icon"

grep -qx 'Type=Application' "$desktop" || fail "entry is not an application"
grep -qx 'Exec=stelvana' "$desktop" || fail "entry does not start /usr/bin/stelvana"
grep -qx 'Icon=stelvana' "$desktop" || fail "entry does not name the hicolor icon"
grep -q '^Name\[zh_CN\]=钢结构计算$' "$desktop" || fail "no Chinese name"
grep -q '^Comment\[zh_CN\]=' "$desktop" || fail "no Chinese comment"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libqt6printsupport6 \
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core; do
  [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done

# Started as the entry starts it, the program keeps running until it is closed.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/stelvana" || status=$?
[[ $status -eq 124 ]] || fail "the packaged program ended with status $status"
echo "1 passed, 0 failed"
