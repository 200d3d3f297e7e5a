#!/usr/bin/env bash
# Installs what the build needs, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# The layers include only themselves and what lies below them.
scripts/check-includes.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# The whole program with warnings as errors, its tests and the benchmarks (built, not run).
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUN_WERROR=ON \
    -DKESTRUN_BUILD_BENCHMARKS=ON
cmake --build build/ci -j "$jobs"
ctest --test-dir build/ci --output-on-failure -j "$jobs"

# The core alone, without Qt, under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRUN_WERROR=ON \
    -DKESTRUN_BUILD_UI=OFF -DKESTRUN_SANITIZE=ON
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# Each image fuzz target for a short bounded run from the seed corpus (libFuzzer needs clang).
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRUN_WERROR=ON -DKESTRUN_BUILD_UI=OFF -DKESTRUN_BUILD_TESTS=OFF -DKESTRUN_BUILD_FUZZERS=ON
cmake --build build/fuzz -j "$jobs" --target kestrun_fuzzers
fuzz/run_fuzzers.sh build/fuzz -max_total_time=20

# The Debian package, built from a clean copy of the tree, installed and its program run.
bash scripts/package-test.sh

# Last: how large the tests are against the program.
scripts/test-size.sh
