// The generator's output read back by the game's own readers, so that the checks see what the
// game will see.
#pragma once

#include "Bytes.h"

#include "game/rules/LevelFile.h"
#include "lang/DArray.h"

namespace datagen {

vela::lang::DbyteArrayPtr toByteArray(const Bytes& bytes);

// The level as the game reads it; throws std::runtime_error when the game would refuse it.
tintrow::LevelFile readLevel(const Bytes& bytes);

}  // namespace datagen
