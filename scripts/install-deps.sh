#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrun needs to build and test. Safe to run again.
# Usage: scripts/install-deps.sh [--demo]   (--demo adds the real MAME for the demo folder)
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev libpng-dev zlib1g-dev libx11-dev libxrandr-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    xvfb xauth x11-xserver-utils dbus-daemon
)
if [[ "${1:-}" == "--demo" ]]; then
    packages+=(mame)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
