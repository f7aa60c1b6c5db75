#!/usr/bin/env bash
# Installs the Debian 12 packages Veltrix needs to build, run, test, benchmark
# and fuzz, skipping what is already there. Quiet unless something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n
    libgl-dev libxkbcommon-dev libx11-dev
    libjpeg-dev libgif-dev
    libgdal-dev libproj-dev libgeos-dev gdal-bin
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    imagemagick xvfb xauth fonts-dejavu-core
    dpkg-dev desktop-file-utils shared-mime-info libglib2.0-bin
    dosfstools fusefat poppler-utils
    qt6-tools-dev qt6-l10n-tools
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
echo "Instalando: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
