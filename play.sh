#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game (arguments go to the game).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only what playing needs: the game and its data, not the tools, tests and benchmarks.
cmake --build build -j"$(nproc)" --target tintrow game-data
exec build/tintrow "$@"
