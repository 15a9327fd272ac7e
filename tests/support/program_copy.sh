# Sourced by the scripts that play the real program: `program_copy GAME FOLDER` makes FOLDER/bin
# a program folder of its own (a copy of the game beside a link to its data), since the game
# keeps the language choice beside the program, where runs side by side would share it.
program_copy() {
  local game=$1 folder=$2
  mkdir -p "$folder/bin"
  cp "$game" "$folder/bin/tintrow"
  ln -s "$(cd "$(dirname "$game")" && pwd)/game.dat" "$folder/bin/game.dat"
}
