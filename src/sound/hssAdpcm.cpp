// MS-ADPCM: the coefficient extension of the format chunk and the block decoder.
#include "sound/hssWaveFormat.h"

#include "sound/hssStatus.h"

static const int adaptation[16] = {
    230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230,
};

// A delta beyond MAX_DELTA saturates every non-zero nibble anyway; the cap keeps hostile
// blocks from overflowing the arithmetic.
enum { MIN_DELTA = 16, MAX_DELTA = 1 << 24, FORMAT_BASE_SIZE = 16, HEADER_BYTES_PER_CHANNEL = 7 };

static int readLe16(const uint8_t* p)
{
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

int hssReadAdpcmFormat(const uint8_t* body, size_t size, hssWaveFormat& format)
{
    // Base fields, cbSize, samples per block, coefficient count, then the pairs.
    const size_t coefficientsAt = FORMAT_BASE_SIZE + 6;
    if (format.tag != 2 || size < coefficientsAt)
        return HSS_UNSUPPORTED;
    format.samplesPerBlock = readLe16(body + 18) & 0xFFFF;
    int count = readLe16(body + 20) & 0xFFFF;
    if (count != HSS_ADPCM_COEFFICIENTS || size < coefficientsAt + 4 * HSS_ADPCM_COEFFICIENTS)
        return HSS_UNSUPPORTED;
    for (int i = 0; i < HSS_ADPCM_COEFFICIENTS; ++i) {
        format.coefficients[i][0] = static_cast<int16_t>(readLe16(body + coefficientsAt + 4 * i));
        format.coefficients[i][1] = static_cast<int16_t>(readLe16(body + coefficientsAt + 4 * i + 2));
    }
    int headerBytes = HEADER_BYTES_PER_CHANNEL * format.channels;
    if (format.blockAlign <= headerBytes || format.samplesPerBlock < 2)
        return HSS_UNSUPPORTED;
    // The nibbles after the header must hold the promised samples.
    long nibbles = static_cast<long>(format.samplesPerBlock - 2) * format.channels;
    if ((nibbles + 1) / 2 > format.blockAlign - headerBytes)
        return HSS_UNSUPPORTED;
    return HSS_OK;
}

namespace {

struct ChannelState {
    int coefficient1;
    int coefficient2;
    int delta;
    int sample1;
    int sample2;

    int16_t decode(int nibble)
    {
        int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
        int64_t predicted = (static_cast<int64_t>(sample1) * coefficient1 + static_cast<int64_t>(sample2) * coefficient2) >> 8;
        predicted += static_cast<int64_t>(signedNibble) * delta;
        if (predicted > 32767)
            predicted = 32767;
        else if (predicted < -32768)
            predicted = -32768;
        sample2 = sample1;
        sample1 = static_cast<int>(predicted);
        delta = static_cast<int>(static_cast<int64_t>(adaptation[nibble]) * delta / 256);
        if (delta < MIN_DELTA)
            delta = MIN_DELTA;
        else if (delta > MAX_DELTA)
            delta = MAX_DELTA;
        return static_cast<int16_t>(predicted);
    }
};

}

// Decodes one block into `out`; false on a predictor index outside the table.
static bool decodeBlock(const hssWaveFormat& format, const uint8_t* block, int16_t* out)
{
    const int channels = format.channels;
    ChannelState state[2];
    for (int c = 0; c < channels; ++c) {
        int predictor = block[c];
        if (predictor >= HSS_ADPCM_COEFFICIENTS)
            return false;
        state[c].coefficient1 = format.coefficients[predictor][0];
        state[c].coefficient2 = format.coefficients[predictor][1];
        state[c].delta = readLe16(block + channels + 2 * c);
        state[c].sample1 = readLe16(block + 3 * channels + 2 * c);
        state[c].sample2 = readLe16(block + 5 * channels + 2 * c);
    }
    // The header's two samples come out oldest first.
    for (int c = 0; c < channels; ++c) {
        out[c] = static_cast<int16_t>(state[c].sample2);
        out[channels + c] = static_cast<int16_t>(state[c].sample1);
    }
    const uint8_t* nibbles = block + HEADER_BYTES_PER_CHANNEL * channels;
    int count = (format.samplesPerBlock - 2) * channels;
    int16_t* next = out + 2 * channels;
    for (int i = 0; i < count; ++i) {
        int byte = nibbles[i / 2];
        int nibble = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        next[i] = state[i % channels].decode(nibble);
    }
    return true;
}

int hssDecodeAdpcm(const hssWaveFormat& format, const uint8_t* data, size_t size,
                   std::vector<int16_t>& out)
{
    size_t blocks = size / static_cast<size_t>(format.blockAlign);
    size_t perBlock = static_cast<size_t>(format.samplesPerBlock) * format.channels;
    out.assign(blocks * perBlock, 0);
    for (size_t b = 0; b < blocks; ++b)
        if (!decodeBlock(format, data + b * format.blockAlign, out.data() + b * perBlock))
            return HSS_UNSUPPORTED;
    return HSS_OK;
}
