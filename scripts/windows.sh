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
#   scripts/windows.sh --qt-prefix   where the cached Qt for these sources is
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
  --qt-prefix) mode=prefix ;;
  *)
    echo "usage: scripts/windows.sh [--qt | --check | --qt-prefix]" >&2
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
  nsis wine wine64 xvfb xauth x11-utils xdotool imagemagick poppler-utils
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core
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
  -DFEATURE_direct2d=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  # FreeType, bundled: Qt builds the offscreen platform, on which the suites
  # run under Wine, only with it.
  -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
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
if [[ $mode == prefix ]]; then
  echo "$qt_prefix"
  exit 0
fi

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
    "${apt[@]}" update >"$cache/apt.log" 2>&1 || true
    (cd "$src_dir" && "${apt[@]}" source --download-only "qt6-base=$host_qt" >>"$cache/apt.log" 2>&1) || {
      tail -n 5 "$cache/apt.log"
      if [[ ${CI:-} == true ]]; then
        echo "windows: skipped, no Qt for MinGW in $cache and Debian's qt6-base $host_qt sources could not be fetched"
        exit 0
      fi
      echo "windows: FAILED, Debian's qt6-base $host_qt source package could not be fetched" >&2
      exit 1
    }
  fi
  # A build cut short (CI's time ran out) goes on where it stopped.
  if [[ ! -f $build_dir/.configured ]]; then
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
      echo "windows: FAILED, configuring Qt"
      exit 1
    }
    touch "$build_dir/.configured"
  else
    echo "== Qt for MinGW: going on with the build in $build_dir"
  fi
  echo "== Qt for MinGW: building, niced"
  local status=0
  nice -n 19 timeout "${qt_time_limit:-0}" cmake --build "$build_dir/build" -j "$jobs" \
    >>"$build_dir/build.log" 2>&1 || status=$?
  if ((status == 124)); then
    echo "windows: skipped, Qt for MinGW was not built within the $((qt_time_limit / 60)) minutes CI had left; the next run goes on with it"
    exit 0
  elif ((status != 0)); then
    grep -m 5 -B 2 -A 8 'error' "$build_dir/build.log" || tail -n 30 "$build_dir/build.log"
    echo "windows: FAILED, building Qt"
    exit 1
  fi
  nice -n 19 cmake --install "$build_dir/build" >>"$build_dir/build.log" 2>&1
  echo "$host_qt $qt_key built in $((SECONDS - t)) s" >"$qt_prefix/.complete"
  rm -rf "$build_dir"
  echo "== Qt for MinGW built in $((SECONDS - t)) s: $(du -sh "$qt_prefix" | cut -f1)"
}

if ! qt_ready; then
  if [[ ${CI:-} == true && $mode == check ]]; then
    # CI's 80 minutes count from the start of .ci/run, which sets the
    # deadline. Qt is built in what they leave, less what the rest of the
    # check takes (some 8 minutes from a clean tree); a cold build took 34
    # minutes on this 2-core machine, 83 while two other builds ran.
    rest=$((10 * 60))
    now=$(date +%s)
    deadline=${STELVANA_CI_DEADLINE:-$((now + 80 * 60))}
    qt_time_limit=$((deadline - now - rest))
    if ((qt_time_limit < 10 * 60)); then
      echo "windows: skipped, no Qt for MinGW in $cache and only $(((deadline - now) / 60)) of CI's minutes are left"
      exit 0
    fi
  fi
  build_qt
else
  echo "== Qt for MinGW from the cache: $qt_prefix"
fi
[[ $mode == qt ]] && exit 0

# ---------------------------------------------------------------- the program
version=$(sed -n 's/^project(Stelvana VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
host_build=$work/host
cross_build=$work/build
deploy=$work/deploy/Stelvana
test_deploy=$work/deploy-tests

t=$SECONDS
# A build tree made against another Qt keeps that Qt's paths in its cache.
if [[ -f $cross_build/CMakeCache.txt ]] &&
  ! grep -qxF "CMAKE_PREFIX_PATH:UNINITIALIZED=$qt_prefix" "$cross_build/CMakeCache.txt"; then
  rm -rf "$cross_build"
fi
# render_pictures runs here, on the build machine, with Debian's Qt Svg.
cmake -S resources/render -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=Release >"$work.host.log" 2>&1 &&
  nice -n 19 cmake --build "$host_build" >>"$work.host.log" 2>&1 || {
  tail -n 30 "$work.host.log"
  exit 1
}
mkdir -p "$work"
mv "$work.host.log" "$work/host.log"

# -ffp-contract=off comes with the project's own options, as on Linux.
# Debian's hardening flags are the host's; rcc must not compress with zstd,
# which the Windows QtCore cannot read.
cmake -S . -B "$cross_build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" -DCMAKE_PREFIX_PATH="$qt_prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DSTELVANA_HARDENING=OFF -DSTELVANA_BENCH=OFF \
  -DCMAKE_AUTORCC_OPTIONS=--no-zstd \
  -DSTELVANA_PICTURE_RENDERER="$host_build/render_pictures" >"$work/build.log" 2>&1 &&
  nice -n 19 cmake --build "$cross_build" -j "$jobs" >>"$work/build.log" 2>&1 || {
  grep -m 5 -A 8 -E 'error|Error' "$work/build.log" || tail -n 30 "$work/build.log"
  echo "windows: FAILED, the build"
  exit 1
}
echo "== the program and its suites built for Windows in $((SECONDS - t)) s"

# ---------------------------------------------------------------- the deployment
objdump=x86_64-w64-mingw32-objdump
runtime_dirs=(
  "$qt_prefix/bin"
  "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
  /usr/x86_64-w64-mingw32/lib
)
# The DLLs a binary needs that are not Windows' own, and theirs, found where
# the toolchain and the Qt build keep them: what windeployqt and the MinGW
# kit's runtime would add.
dll_closure() {
  local -A seen=()
  local queue=("$@") file name dir
  while ((${#queue[@]})); do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r name; do
      [[ -n ${seen[${name,,}]:-} ]] && continue
      for dir in "${runtime_dirs[@]}"; do
        if [[ -f $dir/$name ]]; then
          seen[${name,,}]=1
          echo "$dir/$name"
          queue+=("$dir/$name")
          break
        fi
      done
    done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
  done
}

# Lays out a folder as the program runs from: the executables given, their
# DLLs, the plugins, qt.conf, Qt's Chinese texts.
deploy_to() {
  local dir=$1 plugins=$2
  shift 2
  rm -rf "$dir"
  mkdir -p "$dir/plugins" "$dir/translations"
  cp "$@" "$dir/"
  local p
  for p in $plugins; do
    mkdir -p "$dir/plugins/$(dirname "$p")"
    cp "$qt_prefix/plugins/$p" "$dir/plugins/$p"
  done
  local binaries=("$@")
  for p in $plugins; do binaries+=("$dir/plugins/$p"); done
  dll_closure "${binaries[@]}" | sort -u | xargs -r cp -t "$dir/"
  # Without it Qt looks for plugins and translations where it was built.
  printf '[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n' >"$dir/qt.conf"
  # Platform independent: Debian's are the same files a Windows Qt ships.
  cp /usr/share/qt6/translations/qt_zh_CN.qm /usr/share/qt6/translations/qtbase_zh_CN.qm \
    "$dir/translations/"
}

t=$SECONDS
# The native platform, the native widget style; the image readers the icon
# and the drawings do not need (PNG is QtGui's own) stay out.
deploy_to "$deploy" "platforms/qwindows.dll styles/qwindowsvistastyle.dll" \
  "$cross_build/app/stelvana.exe"
# The licences of what is shipped: Stelvana's; Qt's LGPL 3 (with the GPL 3
# it adds to), from the source package the build came from; the GCC runtime
# and winpthreads, as Debian's MinGW packages state them.
qt_tar=("$cache"/src/qt6-base_"${host_qt%%-*}".orig.tar.xz)
{
  cat LICENSE
  printf '\n\n======== Qt %s (qtbase), used under the GNU LGPL version 3 ========\n\n' "${host_qt%%+*}"
  tar -xOf "${qt_tar[0]}" --wildcards '*/LICENSES/LGPL-3.0-only.txt' '*/LICENSES/GPL-3.0-only.txt'
  printf '\n\n======== libstdc++, libgcc (GCC runtime library exception) ========\n\n'
  cat /usr/share/doc/gcc-mingw-w64-base/copyright
  printf '\n\n======== winpthreads (MinGW-w64) ========\n\n'
  cat /usr/share/doc/mingw-w64-x86-64-dev/copyright
} | sed 's/$/\r/' >"$deploy/LICENSE.txt"
x86_64-w64-mingw32-strip "$deploy"/*.exe "$deploy"/*.dll "$deploy"/plugins/*/*.dll
echo "== deployed in $((SECONDS - t)) s: $(du -sh "$deploy" | cut -f1), $(find "$deploy" -type f | wc -l) files"

# ---------------------------------------------------------------- the packages
t=$SECONDS
setup=$work/stelvana-$version-win64-setup.exe
portable=$work/stelvana-$version-win64-portable.zip
# The uninstaller removes exactly the files installed, deepest folder first.
file_list=$work/installed-files.nsh
(
  cd "$deploy"
  find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
) >"$file_list"
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DDEPLOY_DIR="$deploy" -DICON="$cross_build/resources/png/stelvana.ico" \
  -DLICENSE="$deploy/LICENSE.txt" -DOUTFILE="$setup" -DFILE_LIST="$file_list" \
  packaging/windows/stelvana.nsi >"$work/makensis.log" 2>&1 || {
  tail -n 20 "$work/makensis.log"
  echo "windows: FAILED, makensis"
  exit 1
}
rm -f "$portable"
(cd "$(dirname "$deploy")" && zip -qr -9 "$portable" Stelvana)
echo "== $(basename "$setup") $(du -k "$setup" | cut -f1) KiB, $(basename "$portable") $(du -k "$portable" | cut -f1) KiB, in $((SECONDS - t)) s"
[[ $mode == check ]] || { echo "windows: built in $((SECONDS - started)) s"; exit 0; }

# ---------------------------------------------------------------- under Wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer
scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  local prefix
  for prefix in "$scratch"/prefix-*; do
    [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A display of our own: the first free number from 91.
display=91
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done

new_prefix() {
  export WINEPREFIX=$scratch/prefix-$1
  wineboot -i >/dev/null 2>&1
  wineserver -w
}
windows_path() { echo "Z:${1//\//\\}"; }

failed=0

# ---- the suites, offscreen, from the build tree, Qt and its plugins from a
# deployment of their own.
t=$SECONDS
new_prefix suites
deploy_to "$test_deploy" \
  "platforms/qoffscreen.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll" \
  "$cross_build"/tests/*.exe
rm -f "$test_deploy"/tst_*.exe # they run from the build tree
# The sheet's tests read their PDFs with Debian's poppler.
for tool in pdftotext pdfinfo pdfimages; do
  x86_64-w64-mingw32-gcc-posix -municode -O2 -static -o "$test_deploy/$tool.exe" \
    cmake/windows/unix-tool.c
done
for dir in "$cross_build/tests" "$cross_build/app"; do
  printf '[Paths]\nPrefix = %s\nPlugins = plugins\nTranslations = translations\n' \
    "$(windows_path "$test_deploy" | tr '\\' /)" >"$dir/qt.conf"
done
export WINEPATH
WINEPATH=$(windows_path "$test_deploy")
# Offscreen, Qt on Windows takes its fonts from one folder, not from the
# system. Wine has neither Microsoft YaHei nor SimSun nor KaiTi: the suites
# get the faces they get on Linux, reached through the same lists of
# families that name the Windows faces first or after.
mkdir -p "$test_deploy/fonts"
ln -sf /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc \
  /usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc \
  /usr/share/fonts/truetype/arphic/ukai.ttc /usr/share/fonts/truetype/arphic/uming.ttc \
  /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
  /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf \
  "$test_deploy/fonts/"
export WINEQT_QPA_FONTDIR
WINEQT_QPA_FONTDIR=$(windows_path "$test_deploy/fonts")
# tests/CMakeLists.txt leaves these out of a Windows build.
echo "   left out: start_without_display (Windows has no X display to miss), manpage," \
  "package_version, package_deb_* (Debian's packaging), tst_pictures (it needs Qt Svg;" \
  "on Linux it compares the SVGs with these same PNGs)"
if ctest --test-dir "$cross_build" -j "$jobs" --timeout 900 --output-on-failure \
  >"$work/ctest.log" 2>&1; then
  echo "== the suites under Wine in $((SECONDS - t)) s: $(grep -E 'tests passed' "$work/ctest.log")"
else
  grep -E '^\s*[0-9]+/[0-9]+ Test|tests passed|FAIL!' "$work/ctest.log" | tail -n 40
  echo "== the suites under Wine FAILED (log $work/ctest.log)"
  failed=1
fi
wineserver -k || true

# ---- the installer: a silent install into a fresh prefix, the program
# started in a Wine desktop at 100 % and 150 %, a silent uninstall.
t=$SECONDS
new_prefix setup
installed="$WINEPREFIX/drive_c/Program Files/Stelvana"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Stelvana.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Stelvana'
shots=$work/screens
rm -rf "$shots"
mkdir -p "$shots"
problems=()

wine "$setup" /S || problems+=("setup.exe /S exited with $?")
wineserver -w
missing_files=$( (cd "$deploy" && find . -type f) | while read -r f; do
  [[ -f $installed/$f ]] || echo "$f"
done | wc -l)
((missing_files == 0)) || problems+=("$missing_files deployed files not installed")
[[ -f $installed/uninstall.exe ]] || problems+=("no uninstall.exe")
[[ -f $shortcut ]] || problems+=("no Start-menu entry")
size=$(wine reg query "$uninstall_key" /v EstimatedSize /reg:64 2>/dev/null | tr -d '\r' |
  awk '/EstimatedSize/ { print $3 }')
[[ $((${size:-0})) -gt 1000 ]] || problems+=("no installed size registered")
association=$(wine reg query 'HKLM\Software\Classes\.stelvana' /ve /reg:64 2>/dev/null | tr -d '\r')
[[ $association == *Stelvana.Design* ]] || problems+=("no .stelvana association")
opens_with=$(wine reg query 'HKLM\Software\Classes\Stelvana.Design\shell\open\command' /ve /reg:64 2>/dev/null | tr -d '\r')
[[ $opens_with == *'stelvana.exe" "%1"'* ]] || problems+=("design files do not open in stelvana.exe: $opens_with")

# The Linux processes of the Windows program `name` in this Wine prefix
# (Wine's tasklist is a stub).
running_in_prefix() {
  local pid
  for pid in $(pgrep -f -i -- "${1//./\\.}" || true); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

# Starts the installed program in a Wine desktop at `dpi`, waits until its
# frame shows, saves a screenshot, closes it as a user would (Alt+F4) and
# checks that it ended by itself.
start_installed() {
  local dpi=$1 shot=$shots/frame-$1dpi.png
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  wine explorer /desktop=stelvana,1024x768 'C:\Program Files\Stelvana\stelvana.exe' \
    >"$scratch/start-$dpi.log" 2>&1 &
  local desktop=$! colours=0
  for _ in $(seq 60); do
    sleep 1
    import -display "$DISPLAY" -window root "$shot" 2>/dev/null || continue
    colours=$(convert "$shot" -format %k info: 2>/dev/null || echo 0)
    ((colours > 200)) && break
  done
  sleep 2
  import -display "$DISPLAY" -window root "$shot" 2>/dev/null || true
  ((colours > 200)) || problems+=("at $dpi dpi the frame did not show ($colours colours)")
  # Alt+F4 into the Wine desktop, which hands it to the frame it shows, as
  # a user closes it. (After Wine 8's taskkill the frame stayed open.)
  local desk
  desk=$(xdotool search --name '^stelvana - Wine desktop$' | head -n 1)
  if [[ -n $desk ]]; then
    xdotool windowfocus --sync "$desk" key alt+F4
  else
    problems+=("at $dpi dpi no Wine desktop window to close the frame in")
  fi
  local ended=0
  for _ in $(seq 30); do
    [[ -z $(running_in_prefix stelvana.exe) ]] && { ended=1; break; }
    sleep 1
  done
  ((ended)) || problems+=("at $dpi dpi the program did not end on Alt+F4")
  WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
  wait "$desktop" 2>/dev/null || true
}
if [[ -f $installed/stelvana.exe ]]; then
  start_installed 96
  start_installed 144
fi

wine "$installed/uninstall.exe" /S || problems+=("uninstall.exe /S exited with $?")
# The uninstaller copies itself away and works from there.
for _ in $(seq 60); do [[ -d $installed ]] || break; sleep 0.5; done
wineserver -w
[[ ! -e $installed ]] || problems+=("left behind: $(cd "$installed" && find . | head -n 5 | tr '\n' ' ')")
[[ ! -e $shortcut ]] || problems+=("the Start-menu entry was left")
wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1 && problems+=("the uninstall key was left")
wine reg query 'HKLM\Software\Classes\Stelvana.Design' /reg:64 >/dev/null 2>&1 &&
  problems+=("the design-file association was left")
if ((${#problems[@]})); then
  printf '   %s\n' "${problems[@]}"
  echo "== the installer check FAILED"
  failed=1
else
  echo "== the installer installed, started at 96 and 144 dpi, ended and uninstalled cleanly in $((SECONDS - t)) s (screenshots in $shots)"
fi

if ((failed)); then
  echo "windows: FAILED after $((SECONDS - started)) s"
  exit 1
fi
echo "windows: every check passed in $((SECONDS - started)) s"
