#!/bin/bash
# A player's first two starts, played by the real program on scripts: the first answers the
# language and sound questions, opens and closes every screen of the main menu, starts a level
# game, plays, pauses, continues and leaves through the exit question; the second finds the
# language, the settings and the saved game again. Both runs are played twice: the shots must
# not change from one run to the next.
set -u
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)

source "$(dirname "$0")/../../support/program_copy.sh"
program_copy "$game" "$work"

store() { od -An -v -tu1 "$1/home/Vandrel/Tintrow/$2/1" 2>/dev/null | tr -s ' \n' ' ' | sed 's/^ //;s/ $//'; }

for round in a b; do
  run="$work/$round"
  mkdir -p "$run"
  rm -f "$work/bin/langid"
  for start in first second; do
    mkdir -p "$run/$start"
    (cd "$run/$start" && TINTROW_HOME="$run/home" "$work/bin/tintrow" /script:"$here/$start-start.txt") \
      || fail "round $round: the $start start ended with status $?"
    if [[ $start == first ]]; then
      langid=$(od -An -tu1 "$work/bin/langid" | tr -s ' ' | sed 's/^ //')
      [[ $langid == "0 0 0 1" ]] || fail "the language choice was not kept: $langid"
      [[ $(store "$run" cfg) == "30 20 0" ]] || fail "the settings were not kept: $(store "$run" cfg)"
      saved=$(store "$run" gsv)
      [[ -n $saved ]] || fail "the paused level game was not saved"
      [[ $(cut -d' ' -f1-4 <<<"$saved") == "0 0 0 0" ]] || fail "the saved game is not on the first level: $saved"
    fi
  done
  # Continuing and pausing again keeps level and scores.
  [[ $(cut -d' ' -f1-12 <<<"$(store "$run" gsv)") == $(cut -d' ' -f1-12 <<<"$saved") ]] \
    || fail "the second start did not continue the saved game"
done

for shot in $(cd "$work/a" && ls */*.png); do
  cmp -s "$work/a/$shot" "$work/b/$shot" || fail "$shot differs from one run to the next"
done
# The second start asks only about the sound, in the language chosen at the first.
cmp -s "$work/a/first/02-sound.png" "$work/a/second/01-sound.png" \
  || fail "the second start does not show the sound question in the chosen language"
echo "two starts: ok"
