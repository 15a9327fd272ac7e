#!/usr/bin/env bash
# Draws every golden picture anew after an intended change: the test card, the game screen's
# pictures and the scripted play's panel. Look at each changed picture before committing it.
# usage: scripts/update-goldens.sh [BUILD_DIR]   (the tests must be built there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
TINTROW_UPDATE_GOLDENS=1 ctest --test-dir "$build" -R 'Golden|game-screen-scripted-play' --output-on-failure
git -C "$root" status --short -- '*/golden/*'
