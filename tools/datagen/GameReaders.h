// The generator's output read back by the game's own readers, so that the checks see what the
// game will see.
#pragma once

#include "Bytes.h"
#include "SpriteSet.h"
#include "Texts.h"

#include "game/rules/LevelFile.h"
#include "lang/DArray.h"

#include <string>

namespace datagen {

vela::lang::DbyteArrayPtr toByteArray(const Bytes& bytes);

// The level as the game reads it; throws std::runtime_error when the game would refuse it.
tintrow::LevelFile readLevel(const Bytes& bytes);

// A sprite set's description as the game reads it (shared frames and rect tables resolved);
// throws std::runtime_error when the game would refuse it, or when a frame names no frame or
// bytes follow the last animation.
ParsedSet readSpriteSet(const Bytes& description);

// A language file as the game reads it, entries ordered by key; throws std::runtime_error when
// the game would refuse it. A cut last entry is dropped, as the game drops it.
TextTable readLanguageFile(const std::string& name, const Bytes& bytes);

// Why the game's wave loader refuses the file, or "no samples"; empty when it plays.
std::string waveFault(const Bytes& wav);
// How long the game's mixer plays the module once through; throws std::runtime_error when the
// game's module loader refuses it.
double moduleSeconds(const Bytes& mod);

}  // namespace datagen
