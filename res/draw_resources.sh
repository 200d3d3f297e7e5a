#!/usr/bin/env bash
# Redraws the committed pictures in res/images from res/draw/draw_resources.cpp.
# Usage: res/draw_resources.sh <configured build folder>
set -euo pipefail
build=${1:?usage: $0 <configured build folder>}
here=$(cd "$(dirname "$0")" && pwd)
cmake --build "$build" --target kestrun_draw_resources
QT_QPA_PLATFORM=offscreen "$build/res/kestrun_draw_resources" "$here/images"
