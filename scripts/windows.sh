#!/usr/bin/env bash
# Stelvana for Windows x86-64, built on this Debian machine:
#   1. Qt for MinGW-w64 from Debian's qt6-base source package, built once into
#      a cache outside the repository (STELVANA_WINDOWS_CACHE, by default
#      /var/cache/stelvana-windows), keyed by the Qt version, the options, the
#      toolchain and a hash of the patches in cmake/windows/qt-patches/;
#   2. the program and every Qt Test suite, with -ffp-contract=off as on Linux;
#   3. the deployment (Qt DLLs and plugins, the C++ runtime DLLs, Qt's Chinese
#      translations, the licence) in build-windows/deploy/;
#   4. build-windows/stelvana-<version>-win64-setup.exe and a portable .zip.
#
#   scripts/windows.sh            all of that
#   scripts/windows.sh --qt       only Qt, into the cache
#   scripts/windows.sh --check    all of that, then the suites under Wine
#                                 (offscreen) and the installer checked in a
#                                 fresh Wine prefix on Xvfb
#
# Under CI (CI=true) with a cold Qt cache the Qt build is only started when it
# fits the time left (STELVANA_CI_DEADLINE, seconds since the epoch by which
# the check must end); otherwise the check says in one line that it skipped
# and why, and exits 0.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

mode=all
case "${1:-}" in
  "") ;;
  --qt) mode=qt ;;
  --check) mode=check ;;
  *)
    echo "usage: scripts/windows.sh [--qt | --check]" >&2
    exit 2
    ;;
esac

started=$SECONDS
cache=${STELVANA_WINDOWS_CACHE:-/var/cache/stelvana-windows}
work=$source/build-windows
jobs=$(nproc)

# ---------------------------------------------------------------- packages
packages=(
  g++ cmake ninja-build pkgconf dpkg-dev patch xz-utils zip
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
  nsis wine wine64 xvfb xauth x11-utils
  fonts-noto-cjk fonts-arphic-ukai
)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  [[ $(id -u) -eq 0 ]] || { echo "Run this as root to install them." >&2; exit 1; }
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# ---------------------------------------------------------------- Qt
# Debian's own host Qt runs moc, rcc and uic for the Windows build: its
# version must be the source package's.
host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_toolchain=$source/cmake/toolchains/mingw-w64-x86_64-qt.cmake
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  # What the program does not use. Debian's repack has no 3rdparty/wintab,
  # hence no tablet events.
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_direct2d=OFF -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  # Qt's own copies: the MinGW sysroot has none of these to offer.
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF
)
qt_patches=("$source"/cmake/windows/qt-patches/*.patch)
qt_key=$({
  echo "$host_qt"
  printf '%s\n' "${qt_options[@]}"
  cat "$qt_toolchain" "${qt_patches[@]}"
  x86_64-w64-mingw32-g++-posix --version | head -n 1
} | sha256sum | cut -c1-12)
qt_prefix=$cache/qt-${host_qt%%+*}-$qt_key

qt_ready() { [[ -f $qt_prefix/.complete ]]; }

build_qt() {
  local t=$SECONDS apt_dir=$cache/apt src_dir=$cache/src build_dir=$cache/build-$qt_key
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial" "$src_dir"
  # A private apt list of type deb-src made from the machine's own Debian
  # entry: the machine's apt state stays as it is.
  if [[ ! -f $src_dir/qt6-base_$host_qt.dsc ]]; then
    local list=$apt_dir/debian-src.sources
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
      sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$list"
    else
      sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"${list%.sources}.list"
      list=${list%.sources}.list
    fi
    local apt=(apt-get -q -o Dir::Etc::SourceList="$list" -o Dir::Etc::SourceParts=/dev/null
      -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir" -o Debug::NoLocking=1)
    "${apt[@]}" update >"$cache/apt.log" 2>&1
    (cd "$src_dir" && "${apt[@]}" source --download-only "qt6-base=$host_qt" >>"$cache/apt.log" 2>&1) || {
      tail -n 5 "$cache/apt.log"
      echo "windows: Debian's qt6-base $host_qt source package could not be fetched" >&2
      return 1
    }
  fi
  local orig=("$src_dir"/qt6-base_"${host_qt%%-*}".orig.tar.xz)
  local debian_tar=("$src_dir"/qt6-base_"$host_qt".debian.tar.xz)
  rm -rf "$build_dir"
  mkdir -p "$build_dir/debian"
  tar -xf "${orig[0]}" -C "$build_dir"
  tar -xf "${debian_tar[0]}" -C "$build_dir/debian"
  local tree=("$build_dir"/qtbase-everywhere-src-*)
  # Debian's security fixes, then ours.
  local p
  while read -r p; do
    patch -d "${tree[0]}" -p1 -s --forward <"$build_dir/debian/debian/patches/$p"
  done < <(grep -E '^cve-' "$build_dir/debian/debian/patches/series")
  for p in "${qt_patches[@]}"; do
    patch -d "${tree[0]}" -p1 -s --forward <"$p"
  done
  rm -rf "$qt_prefix"
  echo "== Qt for MinGW: configuring into $qt_prefix (log $build_dir/build.log)"
  nice -n 19 cmake -S "${tree[0]}" -B "$build_dir/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    "${qt_options[@]}" >"$build_dir/build.log" 2>&1 || {
    tail -n 30 "$build_dir/build.log"
    return 1
  }
  echo "== Qt for MinGW: building, niced"
  nice -n 19 cmake --build "$build_dir/build" -j "$jobs" >>"$build_dir/build.log" 2>&1 || {
    grep -m 5 -B 2 -A 8 'error' "$build_dir/build.log" || tail -n 30 "$build_dir/build.log"
    return 1
  }
  nice -n 19 cmake --install "$build_dir/build" >>"$build_dir/build.log" 2>&1
  echo "$host_qt $qt_key built in $((SECONDS - t)) s" >"$qt_prefix/.complete"
  rm -rf "$build_dir"
  echo "== Qt for MinGW built in $((SECONDS - t)) s: $(du -sh "$qt_prefix" | cut -f1)"
}

if ! qt_ready; then
  if [[ ${CI:-} == true && $mode == check ]]; then
    # A cold build takes some 25 minutes on an idle 2-core machine and 55 on
    # a busy one; with the rest of the check, 40 minutes are asked for.
    need=$((40 * 60))
    deadline=${STELVANA_CI_DEADLINE:-0}
    now=$(date +%s)
    if ((deadline - now < need)); then
      echo "windows: skipped, no Qt for MinGW in $cache and $(((deadline - now) / 60)) of the $((need / 60)) minutes a cold build needs are left"
      exit 0
    fi
  fi
  build_qt
else
  echo "== Qt for MinGW from the cache: $qt_prefix"
fi
[[ $mode == qt ]] && exit 0
