#!/usr/bin/env bash
# Installs what building, running and testing Kelvo needs on Debian 12 (run as root).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libqt6opengl6-dev qt6-charts-dev
  qt6-multimedia-dev qt6-qpa-plugins libxkbcommon-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libgtest-dev libgmock-dev libbenchmark-dev libsqlcipher-dev sqlcipher sqlite3 cups cups-client libcups2-dev
  libxlsxwriter-dev libjpeg62-turbo-dev xlsx2csv poppler-utils xvfb xauth imagemagick fonts-noto-cjk)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
