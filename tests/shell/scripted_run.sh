#!/bin/bash
# The real program played headless: two runs of one script end well with byte-identical shots
# of the device size; a gamepad answers the game; a screen without a resolution file ends the
# game by itself; --help, --version, unknown options, a bad script and a second instance.
set -u
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../support/run_game.sh"
program_copy "$game" "$work"
copy=$work/bin/tintrow

# The logo, then the first start's language question, moved on by a key and a tap.
printf 'wait 2500\nshot one.png\nkey DOWN\ntap 120 20\nwait 1420\nshot two.png\n' >"$work/play.txt"
for run in a b; do
  rm -f "$work/bin/langid"
  play "$copy" "$work/$run" "$work/home-$run" "$work/play.txt"
done
same_shots "$work/a" "$work/b" one two
/usr/bin/python3 -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); sys.exit(im.size != (240, 320) or im.mode != "RGB")' \
  "$work/a/one.png" || fail "the shot is not a 240 x 320 RGB picture"

# Gamepad buttons are keys to the game: Start answers the sound question, B opens the exit
# question and A answers it, so the game ends before the shot (the language is seeded).
mkdir -p "$work/home-pad/Vandrel/Tintrow/files"
printf '\0\0\0\0' >"$work/home-pad/Vandrel/Tintrow/files/langid"
printf 'wait 4200\nbutton START\nwait 300\nbutton B\nwait 300\nbutton A\nwait 420\nshot still.png\n' >"$work/pad.txt"
play "$copy" "$work/pad" "$work/home-pad" "$work/pad.txt"
[[ ! -e $work/pad/still.png ]] || fail "the gamepad's buttons did not reach the game"

# On a screen without a resolution file the game shows its message and ends by itself.
printf 'wait 10000\nshot still-running.png\n' >"$work/unsupported.txt"
play "$copy" "$work/unsupported" "$work/home-unsupported" "$work/unsupported.txt" /nofullscreen /width:100 /height:100
[[ ! -e $work/unsupported/still-running.png ]] || fail "the game went on on a screen it does not support"

for option in --help --version; do
  "$copy" "$option" | grep -q tintrow || fail "$option printed no text"
done
err=$("$copy" --fullscreen 2>&1)
[[ $? -eq 2 && $(printf '%s\n' "$err" | wc -l) -eq 1 && $err == *"'--fullscreen'"*"--help"* ]] ||
  fail "an unknown option gave: $err"

printf 'wait 100\njump\n' >"$work/bad.txt"
err=$(TINTROW_HOME="$work/home-bad" "$copy" /script:"$work/bad.txt" 2>&1 >/dev/null) && fail "a bad script was accepted"
[[ $err == *"line 2"* ]] || fail "a bad script gave no clear message: $err"

# A second instance on the same data folder, once the first holds it, says so and ends.
printf 'wait 2000000000\n' >"$work/long.txt"
TINTROW_HOME="$work/home-one" "$copy" /script:"$work/long.txt" &
first=$!
holds_lock "$work/home-one"
out=$(TINTROW_HOME="$work/home-one" "$copy" /script:"$work/play.txt" 2>&1)
status=$?
kill "$first" 2>/dev/null
wait "$first" 2>/dev/null
[[ $status -eq 0 ]] || fail "a second instance ended with status $status"
[[ $(printf '%s\n' "$out" | wc -l) -eq 1 && $out == *"already running"* ]] || fail "a second instance said: $out"
echo "scripted runs: ok"
