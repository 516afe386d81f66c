#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those
# that are missing; quick when everything is there already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkgconf
  qt6-base-dev qt6-svg-dev libqt6svg6
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core
  poppler-utils
  libbenchmark-dev locales dpkg-dev libgl-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
