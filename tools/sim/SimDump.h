// The simulator's one-line JSON picture of the game.
#pragma once

#include <string>
#include <vector>

#include "SimHost.h"
#include "game/rules/Game.h"

// Everything the rules hold that a replay compares, plus the sounds started since the last
// picture.
std::string simDump(tintrow::Game& game, const std::vector<SimSound>& sounds);
