#!/bin/bash
# A player's first two starts, played by the real program on scripts: the first answers the
# language and sound questions, opens and closes every screen of the main menu, starts a level
# game, plays, pauses, continues and leaves through the exit question; the second finds the
# language, the settings and the saved game again. Both rounds are played twice: the shots must
# not change from one round to the next.
set -u
game=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/../../support/run_game.sh"
program_copy "$game" "$work"

store() { od -An -v -tu1 "$1/Vandrel/Tintrow/$2/1" 2>/dev/null | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }

for round in a b; do
  rm -f "$work/bin/langid"
  home=$work/$round/home
  play "$work/bin/tintrow" "$work/$round/first" "$home" "$here/first-start.txt"
  langid=$(od -An -tu1 "$work/bin/langid" | tr -s ' ' | sed 's/^ //')
  [[ $langid == "0 0 0 1" ]] || fail "the language choice was not kept: $langid"
  [[ $(store "$home" cfg) == "30 20 0" ]] || fail "the settings were not kept: $(store "$home" cfg)"
  saved=$(store "$home" gsv)
  [[ $(cut -d' ' -f1-4 <<<"$saved") == "0 0 0 0" ]] || fail "no paused game on the first level was saved: $saved"
  play "$work/bin/tintrow" "$work/$round/second" "$home" "$here/second-start.txt"
  # Continuing and pausing again keeps level and scores.
  [[ $(cut -d' ' -f1-12 <<<"$(store "$home" gsv)") == $(cut -d' ' -f1-12 <<<"$saved") ]] ||
    fail "the second start did not continue the saved game"
done
for start in first second; do
  same_shots "$work/a/$start" "$work/b/$start" $(cd "$work/a/$start" && ls *.png | sed 's/\.png$//')
done
# The second start asks only about the sound, in the language chosen at the first.
cmp -s "$work/a/first/02-sound.png" "$work/a/second/01-sound.png" ||
  fail "the second start does not show the sound question in the chosen language"
echo "two starts: ok"
