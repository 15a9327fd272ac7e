#!/usr/bin/env bash
# The long forms of the whole-program robustness tests that ./test.sh runs short: 1000 kills
# while saving, every member of game.dat damaged in turn, full and read-only data folders, and an
# hour of virtual play under the sanitizers. Needs ./test.sh to have built build/ and build-asan/.
# Usage: scripts/robust.sh [kills|hostile|full|soak]...   (default: all four)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
robust="$root/tests/game/robust"
game="$root/build/tintrow"
for program in "$game" "$root/build-asan/tintrow"; do
  [[ -x $program ]] || { echo "robust: $program is missing: run ./test.sh first" >&2; exit 1; }
done

parts=("$@")
((${#parts[@]})) || parts=(kills hostile full soak)
for part in "${parts[@]}"; do
  case $part in
    kills) python3 "$robust/kills.py" "$game" --count 1000 ;;
    hostile) python3 "$robust/hostile_archive.py" "$game" ;;
    full) python3 "$robust/full_disk.py" "$game" ;;
    soak) python3 "$robust/soak.py" "$root/build-asan/tintrow" --data "$root/build/game.dat" --minutes 60 ;;
    *) echo "robust: unknown part '$part' (kills, hostile, full, soak)" >&2; exit 2 ;;
  esac
done
