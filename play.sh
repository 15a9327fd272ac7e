#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game (arguments go to the game).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/tintrow "$@"
