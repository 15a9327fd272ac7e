// Wave files: PCM encoding in the RIFF layout, synthesis helpers for the effects.
#pragma once

#include "Bytes.h"

#include <vector>

namespace datagen {

// Little-endian RIFF "WAVE" with a "fmt " chunk first and a "data" chunk, mono PCM.
Bytes encodeWave(const std::vector<float>& samples, int rate, int bits);

struct WaveInfo {
    int format = 0, channels = 0, rate = 0, bits = 0;
    size_t dataSize = 0;
    int adpcmCoefficients = 0;
};
// Reads the header as the game's loader walks it; throws std::runtime_error with the reason.
WaveInfo inspectWave(const Bytes& wav);

}  // namespace datagen
