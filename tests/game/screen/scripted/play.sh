#!/bin/bash
# Plays a level through the whole program twice: both runs end well, their shots are identical,
# and the panel after the completed line matches its golden (the score of that line).
# TINTROW_UPDATE_GOLDENS=1 writes the golden instead (scripts/update-goldens.sh).
set -u
game=$1
here=$(cd "$(dirname "$0")" && pwd)
golden=$here/../golden/script-score-after-line.png
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/../../../support/run_game.sh"
python=/usr/bin/python3
program_copy "$game" "$work"
# The level the script jumps to, beside the game's data: 7 x 7 with the corners cut, lines of
# three in two colours, three balls a turn, a goal of 100 points.
$python - "$work/bin/90.bin" <<'LEVEL'
import struct, sys
rows = ["#.....#"] + ["......."] * 5 + ["#.....#"]
head = struct.pack(">bbbbbbiibhi", 7, 7, 0, 2, 2, 3, 60000, 200, 3, 100, 1000)
open(sys.argv[1], "wb").write(head + bytes(0 if c == "#" else 1 for row in rows for c in row))
LEVEL
for run in a b; do
  rm -f "$work/bin/langid"
  play "$work/bin/tintrow" "$work/$run" "$work/home-$run" "$here/play-level0.txt"
done
same_shots "$work/a" "$work/b" selected travelling line-removed tap-travelling spawned paused continued
crop='import sys; from PIL import Image; Image.open(sys.argv[1]).crop((20, 48, 220, 78)).save(sys.argv[2])'
$python -c "$crop" "$work/a/line-removed.png" "$work/panel.png" || fail "cannot crop the panel"
if [[ -n ${TINTROW_UPDATE_GOLDENS:-} ]]; then
  cp "$work/panel.png" "$golden"
  exit 0
fi
same='import sys; from PIL import Image; sys.exit(Image.open(sys.argv[1]).convert("RGB").tobytes() != Image.open(sys.argv[2]).convert("RGB").tobytes())'
$python -c "$same" "$work/panel.png" "$golden" || fail "the panel after the line differs from $golden"
echo "scripted play: ok"
