# Sourced by every script that plays the real program: one way to copy it, play it headless on
# a script and compare what it showed. Each run plays a copy of its own, since the game keeps
# the language choice beside the program: runs side by side would share it, and the build
# tree would keep it.

fail() { echo "FAIL: $*" >&2; exit 1; }

# program_copy GAME FOLDER: FOLDER/bin/tintrow, a copy of GAME beside a link to its data.
program_copy() {
  local game=$1 folder=$2
  mkdir -p "$folder/bin"
  cp "$game" "$folder/bin/tintrow"
  ln -sf "$(cd "$(dirname "$game")" && pwd)/game.dat" "$folder/bin/game.dat"
}

# play PROGRAM FOLDER HOME SCRIPT [OPTION...]: PROGRAM plays SCRIPT in FOLDER, where its shots
# land, with the data folder HOME; anything but a good end fails the test.
play() {
  local program=$1 folder=$2 home=$3 script=$4
  shift 4
  mkdir -p "$folder"
  (cd "$folder" && TINTROW_HOME="$home" "$program" "$@" /script:"$script") ||
    fail "$folder: the game ended with status $?"
}

# same_shots A B NAME...: each shot NAME.png is in both folders, byte for byte the same.
same_shots() {
  local a=$1 b=$2 shot
  shift 2
  for shot in "$@"; do
    [[ -s $a/$shot.png && -s $b/$shot.png ]] || fail "$shot.png was not taken in both runs"
    cmp -s "$a/$shot.png" "$b/$shot.png" || fail "$shot.png differs between two runs"
  done
}

# holds_lock HOME: waits until a running game holds the instance lock of data folder HOME.
holds_lock() {
  local lock=$1/Vandrel/Tintrow/.lock tries
  for ((tries = 0; tries < 600; tries++)); do
    [[ -e $lock ]] && ! flock -n "$lock" true && return 0
    sleep 0.05
  done
  fail "no game took the instance lock of $1 within 30 seconds"
}
