#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (then the unit tests and a short soak of
# the whole game under sanitizers).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh --tests
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINTROW_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
# Every test runs once; only the real window on a private X server gets a second try, since its
# events depend on the X server's timing on a busy machine.
(cd build && ctest --output-on-failure -LE xvfb -j"$jobs")
(cd build && ctest --output-on-failure -L xvfb --repeat until-pass:2)

# The sanitizer build packs no data of its own; the tests that play the game use the first build's.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTINTROW_SANITIZE=ON -DTINTROW_BUILD_DATA=OFF \
  -DTINTROW_TESTS=ON -DTINTROW_GAME_DATA="$PWD/build/game.dat" >/dev/null
cmake --build build-asan --target unit-tests tintrow -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest -L 'unit|soak' --output-on-failure -j"$jobs")
./scripts/test-ratio.sh --total
