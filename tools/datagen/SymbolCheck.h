// Legibility of the colour symbols on the balls, for players who cannot tell the colours apart.
#pragma once

#include "ArtKit.h"

#include <string>
#include <vector>

namespace datagen {

// Why the symbols of balls of this radius on pictures of this size would not read: symbols alike
// in shape (allowing a pixel of shift), a symbol that is not darker than its ball (one scheme for
// all), or one too faint. Empty when they read.
std::vector<std::string> symbolFaults(int size, float radius, const BallLook& look);

}  // namespace datagen
