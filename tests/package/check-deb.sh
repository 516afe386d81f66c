#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and checks it as Debian and
# the desktop would: the program, its entry and icon, the licence, changelog
# and manual Debian asks for, the AppStream listing, a version that grows with
# the code, the declared dependencies, the hardening of the binary; lintian
# and appstreamcli find no error; and the program starts.
#   check-deb.sh BUILD-FOLDER cpack     the .deb of `cpack -G DEB`
#   check-deb.sh BUILD-FOLDER debian    the .deb dpkg-buildpackage builds from debian/
# Where Debian's tools are missing (another distribution's build root) it
# skips, with status 77.
set -euo pipefail
build=$1
way=${2:-cpack}
source=$(cd "${0%/*}/../.." && pwd)

tools=(dpkg-deb dpkg-parsechangelog lintian readelf)
[[ $way == debian ]] && tools+=(dpkg-buildpackage dh)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "SKIP: no $tool here"; exit 77; }
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
if [[ $way == debian ]]; then
  # The suites have run already in this build; here the package is the point.
  DEB_BUILD_OPTIONS=nocheck "$source/scripts/package.sh" "$build" >"$root.log" 2>&1 ||
    { tail -n 40 "$root.log"; rm -f "$root.log"; echo "FAIL: dpkg-buildpackage failed"; exit 1; }
  rm -f "$root.log"
  deb=$(ls "$build"/deb/stelvana_*.deb)
  checked=$(ls "$build"/deb/stelvana_*.changes)
else
  (cd "$build" && cpack -G DEB >/dev/null)
  deb=$build/stelvana.deb
  checked=$deb
fi
dpkg-deb -x "$deb" "$root"

fail() { echo "FAIL: $*"; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

# -- the files
doc=$root/usr/share/doc/stelvana
desktop=$root/usr/share/applications/stelvana.desktop
metainfo=$root/usr/share/metainfo/stelvana.metainfo.xml
for file in usr/bin/stelvana usr/share/applications/stelvana.desktop \
  usr/share/icons/hicolor/scalable/apps/stelvana.svg usr/share/doc/stelvana/copyright \
  usr/share/doc/stelvana/changelog.Debian.gz usr/share/man/man1/stelvana.1.gz \
  usr/share/metainfo/stelvana.metainfo.xml; do
  [[ -f $root/$file ]] || fail "no /$file"
done
[[ -x $root/usr/bin/stelvana ]] || fail "/usr/bin/stelvana is not executable"

# -- Debian's own files are the .deb's alone: an install for another
# distribution leaves them out
if [[ $way == cpack ]]; then
  plain=$root.plain
  cmake --install "$build" --prefix "$plain/usr" >/dev/null
  [[ -x $plain/usr/bin/stelvana ]] || { rm -rf "$plain"; fail "cmake --install installs no program"; }
  debian_files=$(cd "$plain" && find . -name copyright -o -name 'changelog.Debian*')
  rm -rf "$plain"
  [[ -z $debian_files ]] || fail "cmake --install installs Debian's files: $debian_files"
fi

# -- the desktop entry
grep -qx 'Type=Application' "$desktop" || fail "entry is not an application"
grep -qx 'Exec=stelvana %f' "$desktop" || fail "entry does not start /usr/bin/stelvana on a file"
grep -qx 'MimeType=application/x-stelvana;' "$desktop" || fail "entry does not open design files"
grep -q 'type="application/x-stelvana"' "$root/usr/share/mime/packages/stelvana.xml" \
  || fail "no MIME type for design files"
grep -qx 'Icon=stelvana' "$desktop" || fail "entry does not name the hicolor icon"
grep -q '^Name\[zh_CN\]=钢结构计算$' "$desktop" || fail "no Chinese name"
grep -q '^Comment\[zh_CN\]=' "$desktop" || fail "no Chinese comment"

# -- the licence: Debian's machine-readable form, with the text of LICENSE
head -n 1 "$doc/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not in the machine-readable format"
words() { tr -s ' \n.' '\n\n\n' | grep -v '^$'; }
licence=$(sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE" | words)
packaged=$(sed -n '/^ Permission is hereby granted/,$p' "$doc/copyright" | words)
[[ -n $licence && $licence == "$packaged" ]] || fail "copyright does not carry the text of LICENSE"

# -- compressed as Debian wants: gzip -9, without a file name or time stamp
for gz in "$doc/changelog.Debian.gz" "$root/usr/share/man/man1/stelvana.1.gz"; do
  read -r -a header < <(od -An -tu1 -N9 "$gz")
  (( header[0] == 31 && header[1] == 139 )) || fail "${gz#"$root"} is not gzip"
  (( (header[3] & 8) == 0 )) || fail "${gz#"$root"} keeps a file name"
  (( header[4] + header[5] + header[6] + header[7] == 0 )) || fail "${gz#"$root"} keeps a time stamp"
  (( header[8] == 2 )) || fail "${gz#"$root"} is not compressed at level 9"
done

# -- the version: the one the sources name (a snapshot's commit date and
# hash, or the release), and the changelog's latest entry names the same
version=$(field Version)
project=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
release=$(sed -n 's/^STELVANA_RELEASE:BOOL=//p' "$build/CMakeCache.txt")
expected=$(cmake -DSOURCE="$source" -DPROJECT_VERSION="$project" -DRELEASE="$release" \
  -P "$source/packaging/version.cmake" | sed -n 1p)
[[ $version == "$expected-1" ]] || fail "version $version, the sources name $expected-1"
changelog=$(mktemp)
zcat "$doc/changelog.Debian.gz" >"$changelog"
logged=$(dpkg-parsechangelog -l "$changelog" -S Version)
rm -f "$changelog"
[[ $logged == "$version" ]] || fail "changelog names $logged, the package $version"

# -- the control fields
depends=$(field Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libqt6printsupport6 \
  fonts-noto-cjk fonts-arphic-uming fonts-dejavu-core; do
  [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
svg=$(tr ',' '\n' <<<"$depends" | grep -c 'libqt6svg6' || true)
[[ $svg -eq 1 ]] || fail "Depends names libqt6svg6 $svg times: $depends"
recommends=$(field Recommends)
for package in fonts-arphic-ukai qt6-translations-l10n qt6-wayland; do
  [[ $recommends == *"$package"* ]] || fail "Recommends lacks $package: $recommends"
done
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\>$ ]] || fail "Maintainer is not a name and address"
description=$(field Description | tail -n +2)
grep -q '[A-Za-z]\{4,\} [a-z]\{4,\}' <<<"$description" || fail "no English extended description"
grep -q '钢' <<<"$description" || fail "no Chinese extended description"

# -- the hardening Debian builds with: stack protector, RELRO bound at start
binary=$root/usr/bin/stelvana
# (readelf's output is read whole: grep -q leaving a pipe early would fail it)
dynamic=$(readelf -d "$binary")
segments=$(readelf -lW "$binary")
symbols=$(readelf --dyn-syms -W "$binary")
grep -q 'BIND_NOW' <<<"$dynamic" || fail "binary not linked with -z now"
grep -q 'GNU_RELRO' <<<"$segments" || fail "binary not linked with -z relro"
grep -q '__stack_chk_fail' <<<"$symbols" || fail "binary has no stack protector"

# -- what Debian's and AppStream's checkers say; lintian knows which calls
# FORTIFY_SOURCE could have guarded
lintian_args=(--display-info --fail-on error)
[[ $(id -u) -ne 0 ]] || lintian_args+=(--allow-root)
status=0
report=$(lintian "${lintian_args[@]}" "$checked" 2>&1) || status=$?
[[ -z $report ]] || echo "$report"
[[ $status -eq 0 ]] || fail "lintian reports errors (status $status)"
! grep -q 'hardening-no-' <<<"$report" || fail "lintian finds the binary unhardened"

status=0
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || status=$?
echo "$report"
[[ $status -eq 0 || $status -eq 3 ]] || fail "appstreamcli ended with status $status"
! grep -q '^E:' <<<"$report" || fail "appstreamcli reports errors"
grep -q '<launchable type="desktop-id">stelvana.desktop</launchable>' "$metainfo" ||
  fail "metainfo does not launch stelvana.desktop"

# -- started as the entry starts it, the program keeps running until closed
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$binary" || status=$?
[[ $status -eq 124 ]] || fail "the packaged program ended with status $status"
echo "1 passed, 0 failed"
