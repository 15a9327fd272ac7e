// Tune scores: chords, melody and drum bars per section, arranged into module patterns.
#pragma once

#include "Module.h"

#include <string>

namespace datagen {

// Parses a score and arranges it; throws std::runtime_error naming the line of a fault.
Module arrangeScore(const std::string& title, const std::string& source);

}  // namespace datagen
