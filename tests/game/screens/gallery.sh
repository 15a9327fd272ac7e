#!/bin/bash
# Plays every screen of the game in every language at the given screen sizes and keeps a shot of
# each in OUT/<width>x<height>/<language>/, so that anyone can look at the whole game without
# playing it. Fails when a run fails or a shot is missing or blank.
# usage: gallery.sh GAME OUT SIZE...   (SIZE as WxH)
set -u
game=$1 out=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../../support/run_game.sh"
program_copy "$game" "$work"

languages=$(grep -c . <<<"$(printf 'en\nde\nfr\nes\nru\n')")

# The script of one language: the menu entries are reached by moving the focus from where the
# last screen left it.
script_for() {
  local lang=$1 focus=0
  go() {  # go ENTRY: focus the main menu entry and open it
    local n=$1
    while ((focus < n)); do echo "key DOWN"; echo "wait 250"; ((focus++)); done
    while ((focus > n)); do echo "key UP"; echo "wait 250"; ((focus--)); done
    echo "key RETURN"; echo "wait 700"
  }
  echo "wait 4200"
  echo "shot 01-language.png"
  for ((i = 0; i < lang; i++)); do echo "key DOWN"; echo "wait 250"; done
  echo "key RETURN"; echo "wait 500"
  echo "shot 02-sound-question.png"
  echo "key F2"; echo "wait 500"
  echo "shot 03-main-menu.png"
  go 3; echo "shot 04-settings.png"
  echo "key RETURN"; echo "wait 500"; echo "shot 05-controls.png"
  echo "key F2"; echo "wait 500"; echo "key F2"; echo "wait 500"
  go 4; echo "shot 06-score-choice.png"
  echo "key RETURN"; echo "wait 500"; echo "shot 07-high-scores.png"
  echo "key F2"; echo "wait 400"; echo "key F2"; echo "wait 400"
  go 5; echo "shot 08-help.png"
  echo "key F2"; echo "wait 800"; echo "shot 09-help-down.png"
  echo "key F1"; echo "wait 400"
  go 6; echo "shot 10-more-games.png"
  echo "key F2"; echo "wait 400"
  go 7; echo "shot 11-about.png"
  echo "key F1"; echo "wait 400"
  go 8; echo "shot 12-exit-question.png"
  echo "key F2"; echo "wait 400"
  go 1; echo "shot 13-level-choice.png"
  echo "key DOWN"; echo "wait 250"; echo "key RETURN"; echo "wait 500"; echo "shot 14-level-locked.png"
  echo "key F1"; echo "wait 400"; echo "key UP"; echo "wait 250"; echo "key RETURN"; echo "wait 700"
  echo "shot 15-tips-arcade.png"
  echo "key F1"; echo "wait 1500"; echo "shot 16-game.png"
  echo "key F1"; echo "wait 700"; echo "shot 17-in-game-menu.png"
  focus=0
  go 2; echo "shot 18-level-mode-question.png"
  echo "key F2"; echo "wait 400"; echo "key F2"; echo "wait 400"
}

shots="01-language 02-sound-question 03-main-menu 04-settings 05-controls 06-score-choice
  07-high-scores 08-help 09-help-down 10-more-games 11-about 12-exit-question 13-level-choice
  14-level-locked 15-tips-arcade 16-game 17-in-game-menu 18-level-mode-question"
for size in "$@"; do
  width=${size%x*} height=${size#*x}
  for ((lang = 0; lang < languages; lang++)); do
    name=$(sed -n "$((lang + 1))p" <<<"$(printf 'en\nde\nfr\nes\nru\n')")
    dir="$out/$size/$name"
    rm -rf "$dir"; mkdir -p "$dir"
    script_for "$lang" >"$dir/script.txt"
    rm -f "$work/bin/langid"
    play "$work/bin/tintrow" "$dir" "$work/home-$size-$name" script.txt /nofullscreen /width:"$width" /height:"$height"
    for shot in $shots; do
      [[ -s "$dir/$shot.png" ]] || fail "$size $name: no shot $shot"
    done
  done
done
echo "screens: ok ($out)"
