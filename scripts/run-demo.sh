#!/usr/bin/env bash
# Builds Kestrun and starts it on a demo program folder: a few ROM set names (pong runs
# without any ROM file), drawn snapshots and the real MAME from Debian as mame.exe.
# Usage: bash scripts/run-demo.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/demo-build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUN_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target kestrun kestrun_demo_snapshot
scripts/make-demo-folder.sh "$build" build/demo

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display to show Kestrun on. On a machine without one, run it under Xvfb:" >&2
    echo "    xvfb-run -a build/demo/kestrun" >&2
    exit 1
fi
exec build/demo/kestrun
