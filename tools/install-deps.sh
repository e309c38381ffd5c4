#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quorvel
# need, skipping those that are already there (a second run is quick).
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libpng-dev libjpeg-dev zlib1g-dev
  libxlsxwriter-dev libemf2svg-dev
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-dejavu-core
  xdg-utils
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
