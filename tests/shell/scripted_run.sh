#!/bin/bash
# Plays the game headless twice with the same script: both runs end well and their shots are
# byte-identical 8-bit RGB pictures of the device size. Also: a gamepad, the help and unknown
# options, a bad script and a second instance.
set -u
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# the logo, then the title screen
printf 'wait 2500\nshot one.png\nkey DOWN\ntap 120 20\nwait 1420\nshot two.png\n' >"$work/play.txt"
for run in a b; do
  mkdir -p "$work/$run"
  (cd "$work/$run" && TINTROW_HOME="$work/home-$run" "$game" /script:../play.txt) || fail "run $run ended with status $?"
  [[ -s "$work/$run/one.png" ]] || fail "run $run wrote no shot"
done
for shot in one two; do
  if [[ -e "$work/a/$shot.png" || -e "$work/b/$shot.png" ]]; then
    cmp -s "$work/a/$shot.png" "$work/b/$shot.png" || fail "$shot.png differs between two runs"
  fi
done
/usr/bin/python3 -c 'import sys; from PIL import Image; im = Image.open(sys.argv[1]); sys.exit(im.size != (240, 320) or im.mode != "RGB")' \
  "$work/a/one.png" || fail "the shot is not a 240 x 320 RGB picture"

# gamepad buttons are keys to the game: Start answers the sound question, B opens the exit
# question and A answers it (the language is known from the data folder)
mkdir -p "$work/home-pad/Vandrel/Tintrow/files"
printf '\0\0\0\0' >"$work/home-pad/Vandrel/Tintrow/files/langid"
printf 'wait 4200\nbutton START\nwait 300\nbutton B\nwait 300\nbutton A\nwait 420\nshot still.png\n' >"$work/pad.txt"
(cd "$work" && TINTROW_HOME="$work/home-pad" "$game" /script:pad.txt) || fail "the gamepad run ended with status $?"
[[ ! -e "$work/still.png" ]] || fail "the gamepad's buttons did not reach the game"

for option in --help --version; do
  "$game" "$option" | grep -q tintrow || fail "$option printed no text"
done
err=$("$game" --fullscreen 2>&1)
[[ $? -eq 2 && $(printf '%s\n' "$err" | wc -l) -eq 1 && $err == *"'--fullscreen'"*"--help"* ]] ||
  fail "an unknown option gave: $err"

printf 'wait 100\njump\n' >"$work/bad.txt"
err=$(TINTROW_HOME="$work/home-bad" "$game" /script:"$work/bad.txt" 2>&1 >/dev/null) && fail "a bad script was accepted"
[[ $err == *"line 2"* ]] || fail "a bad script gave no clear message: $err"

printf 'wait 2000000000\n' >"$work/long.txt"
TINTROW_HOME="$work/home-one" "$game" /script:"$work/long.txt" &
first=$!
sleep 1
out=$(TINTROW_HOME="$work/home-one" "$game" /script:"$work/play.txt" 2>&1)
status=$?
kill "$first" 2>/dev/null
wait "$first" 2>/dev/null
[[ $status -eq 0 ]] || fail "a second instance ended with status $status"
[[ $(printf '%s\n' "$out" | wc -l) -eq 1 && $out == *"already running"* ]] || fail "a second instance said: $out"
echo "scripted runs: ok"
