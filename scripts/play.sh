#!/usr/bin/env bash
# Set up, build the game and what it loads (its sets, sounds and audio module), start it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quabe-pro -j"$(nproc)"
exec build/quabe-pro
