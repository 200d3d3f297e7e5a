#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrun needs to build and test. Safe to run again.
# The real MAME is among them: the demo folder runs it and the tests start games with it.
# Usage: scripts/install-deps.sh [--package]
#   --package adds the Debian packaging tools and what checks and runs the installed package.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev libpng-dev zlib1g-dev libx11-dev libxrandr-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    xvfb xauth x11-xserver-utils dbus-daemon
    mame
)
if [[ "${1:-}" == "--package" ]]; then
    packages+=(debhelper dpkg-dev lintian desktop-file-utils appstream xdotool)
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
