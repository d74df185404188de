#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing, fuzzing, benchmarking
# and the end-to-end runs need. Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins
  libgl1-mesa-dev
  libsqlcipher-dev sqlcipher libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils x11-apps imagemagick libx11-dev tesseract-ocr xclip
  fonts-dejavu-core fonts-liberation fonts-wqy-microhei
  unrtf hyperfine python3 python3-pil ccache
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
