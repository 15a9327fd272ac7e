#!/usr/bin/env bash
# Makes the README's pictures from the real game, played by the scripted mode: the title menu,
# a level being played and the settings, at twice the device size, into docs/screenshots/.
# usage: scripts/screenshots.sh [BUILD_DIR]   (the game and game.dat must be built there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/tests/support/run_game.sh"
program_copy "$build/tintrow" "$work"

# English, with sound; the menu; a level game with a few moves of the cursor and the action key;
# then the menu from the game and the settings.
{
  printf 'wait 4200\nkey RETURN\nwait 400\nkey F1\nwait 900\nshot title.png\n'
  printf 'key RETURN\nwait 600\nkey F1\nwait 600\n'
  for step in RIGHT RIGHT DOWN RIGHT DOWN DOWN LEFT DOWN RIGHT RIGHT; do
    printf 'key 5\nwait 120\nkey %s\nwait 260\n' "$step"
  done
  printf 'key 5\nwait 2500\nshot level.png\n'
  printf 'key F1\nwait 700\n'
  for _ in 1 2 3 4 5; do printf 'key DOWN\nwait 260\n'; done
  printf 'key RETURN\nwait 800\nshot settings.png\n'
} >"$work/script.txt"
(cd "$work" && TINTROW_HOME="$work/home" bin/tintrow /script:script.txt)
mkdir -p "$root/docs/screenshots"
for shot in title level settings; do
  /usr/bin/python3 -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1])
im.resize((im.width * 2, im.height * 2), Image.NEAREST).save(sys.argv[2], optimize=True)' \
    "$work/$shot.png" "$root/docs/screenshots/$shot.png"
done
echo "screenshots: docs/screenshots/{title,level,settings}.png"
