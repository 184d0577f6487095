#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Morventica needs.
# Safe to run again: packages that are already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  clang llvm
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsdl2-dev
  libfreetype-dev fonts-ipafont-gothic fonts-ipafont-mincho xfonts-shinonome
  libfluidsynth-dev timgm6mb-soundfont fluid-soundfont-gm
  libcairo2-dev fonts-dejavu-core
  xvfb xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "All build packages are present."
fi
