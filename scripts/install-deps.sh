#!/usr/bin/env bash
# Installs everything needed to build, run and test the game on Debian 12.
# Safe to run repeatedly: returns at once when every package is present.
set -euo pipefail

packages=(
  build-essential cmake clang-format
  qtbase5-dev libqt5opengl5-dev libqglviewer-dev-qt5
  libopenmesh-dev libboost-serialization-dev libeigen3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth mesa-utils libgl1-mesa-dri libx11-dev libxtst-dev
  # Names the frames of the sanitizers' reports, which the leak suppressions match.
  llvm
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
