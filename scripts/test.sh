#!/usr/bin/env bash
# Set up, build and run every test: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer. The last lines are ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUABE_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
