// Wave files: PCM encoding in the RIFF layout, synthesis helpers for the effects.
#pragma once

#include "Bytes.h"

#include <vector>

namespace datagen {

// Little-endian RIFF "WAVE" with a "fmt " chunk first and a "data" chunk, mono PCM.
Bytes encodeWave(const std::vector<float>& samples, int rate, int bits);

}  // namespace datagen
