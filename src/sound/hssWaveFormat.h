// The "fmt " chunk of a wave file, and the MS-ADPCM decoder for its 4-bit form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum { HSS_ADPCM_COEFFICIENTS = 7 };

struct hssWaveFormat {
    int tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    int samplesPerBlock = 0;   // per channel, ADPCM only
    int16_t coefficients[HSS_ADPCM_COEFFICIENTS][2] = {};
};

// Reads the ADPCM extension of a "fmt " body; answers 0 or a negative status.
int hssReadAdpcmFormat(const uint8_t* body, size_t size, hssWaveFormat& format);

// Decodes every whole block of `data` to interleaved 16-bit samples; answers 0 or a
// negative status (a bogus block header).
int hssDecodeAdpcm(const hssWaveFormat& format, const uint8_t* data, size_t size,
                   std::vector<int16_t>& out);
