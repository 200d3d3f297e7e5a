#!/usr/bin/env bash
# Builds the Debian package of this source tree with debhelper, checks it with lintian and
# leaves it as build/kestrun_<version>_<arch>.deb. Installs the Debian packages it needs.
# Usage: bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --package

work=build/package
rm -rf "$work" build/kestrun_*.deb
mkdir -p "$work/kestrun"
# A clean copy: dpkg-buildpackage writes into debian/ and beside the source folder.
tar --exclude=./build --exclude=./.git --exclude=./out --exclude=./demo --exclude=./.cache \
    -cf - . | tar -xf - -C "$work/kestrun"

# debhelper gives the build a home of its own, so a compiler cache must be named outright.
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    CCACHE_DIR=$(ccache --get-config cache_dir)
    export CCACHE_DIR
fi
(cd "$work/kestrun" &&
    DEB_BUILD_OPTIONS="nocheck noddebs parallel=2" dpkg-buildpackage -b -us -uc)

mv "$work"/kestrun_*.deb build/
lintian --fail-on error build/kestrun_*.deb
ls build/kestrun_*.deb
