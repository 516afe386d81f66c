#!/usr/bin/env bash
# Builds the Debian package from debian/ with dpkg-buildpackage, in a copy of
# the sources under the build folder, so the work tree stays as it is.
#   scripts/package.sh [BUILD-FOLDER]     default build-deb; the .deb, .buildinfo
#                                         and .changes land in BUILD-FOLDER/deb/
# The version, maintainer and homepage are the ones CMake configured in that
# folder (-DSTELVANA_MAINTAINER=..., -DSTELVANA_HOMEPAGE=..., -DSTELVANA_RELEASE=ON):
# debian/changelog is written from them. DEB_BUILD_OPTIONS passes through,
# e.g. nocheck to leave out the test suites in dh_auto_test.
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$source/build-deb}")

cache=$build/CMakeCache.txt
# Configured again where it was, so a commit since then counts.
if [[ -f $cache ]]; then
  cmake "$build" >/dev/null
else
  cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DSTELVANA_BENCH=OFF >/dev/null
fi
cached() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
changelog=$build/packaging/doc/changelog.Debian
[[ -f $changelog ]] || { echo "package.sh: $changelog missing; configure $build again" >&2; exit 1; }
version=$(dpkg-parsechangelog -l "$changelog" -S Version)

# The sources as git knows them (committed or not, less what it ignores), or
# the whole folder less the builds where there is no git.
out=$build/deb
tree=$out/stelvana-${version%-*}
rm -rf "$out"
mkdir -p "$tree"
if git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$source" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [[ -e $f ]] && printf '%s\0' "$f"; done |
    tar --null -T - -cf -) | tar -xf - -C "$tree"
else
  tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$tree"
fi

cp "$changelog" "$tree/debian/changelog"
maintainer=$(cached STELVANA_MAINTAINER)
homepage=$(cached STELVANA_HOMEPAGE)
sed -i -e "s|^Maintainer: .*|Maintainer: $maintainer|" -e "s|^Homepage: .*|Homepage: $homepage|" \
  "$tree/debian/control"

jobs=$(nproc)
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$jobs ${DEB_BUILD_OPTIONS:-}" \
  dpkg-buildpackage -us -uc -b)
ls "$out"/*.deb "$out"/*.changes
