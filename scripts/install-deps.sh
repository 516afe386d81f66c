#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those
# that are missing; quick when everything is there already. Checked on a
# minimal Debian 12 (debootstrap --variant=minbase): every tool run.sh,
# test.sh and the tests call is here or in the base system.
#   scripts/install-deps.sh          the program, its tests, sanitizers and fuzzing
#   scripts/install-deps.sh cross    the toolchains and emulators of scripts/crosscheck.sh
set -euo pipefail

packages=(
  g++ cmake ninja-build pkgconf git
  qt6-base-dev qt6-svg-dev libqt6svg6 libxcb1-dev qt6-translations-l10n
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core
  poppler-utils odt2txt qt6-wayland man-db
  libbenchmark-dev locales dpkg-dev libgl-dev
  clang libclang-rt-14-dev
  # the package test: CPack needs file; readelf, lintian and appstreamcli check the .deb;
  # debhelper builds it from debian/
  file binutils lintian appstream debhelper build-essential
  # tst_prose validates the built desktop entry
  desktop-file-utils
)
if [[ "${1:-}" == cross ]]; then
  # MinGW-w64 programs run under Wine, aarch64 programs under qemu-user.
  packages=(
    g++ cmake ninja-build clang
    g++-mingw-w64-x86-64 wine wine64
    g++-aarch64-linux-gnu qemu-user
  )
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

# The one line root can paste, the same this script runs.
install_line="apt-get update && apt-get install --no-install-recommends ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    {
      echo "These Debian packages are missing, and installing them needs root (sudo is not installed)."
      echo "Run this as root, then this command again:"
      echo
      echo "  $install_line"
    } >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
# Another install on the same machine holds the lock for a while: wait for it.
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
