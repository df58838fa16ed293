#!/usr/bin/env bash
# Set up, build and run every test: once as shipped, the fuzz targets once over their
# seed corpora (built with clang), and once under AddressSanitizer and
# UndefinedBehaviorSanitizer. The last lines are ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUABE_FUZZ=ON
cmake --build build-fuzz -j"$(nproc)" --target quabe_fuzz
ctest --test-dir build-fuzz -L fuzz --output-on-failure -j"$(nproc)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUABE_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
