#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building, running and testing the simulator need, and
# only those that are missing. Needs root or sudo when something is missing.
set -euo pipefail

packages=(
    g++ make cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-declarative-dev qt6-quick3d-dev
    qt6-shadertools-dev qt6-svg-dev
    qml6-module-qtquick qml6-module-qtqml-workerscript qml6-module-quick3d
    libglu1-mesa-dev libgl1-mesa-dri
    libbenchmark-dev
    xvfb xauth fonts-dejavu-core
    desktop-file-utils appstream dpkg-dev libxcb1-dev man-db lintian openbox
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
