// Wave file loading: the "fmt " chunk, the walk to "data", and PCM or MS-ADPCM samples.
#include "sound/hssSound.h"

#include "sound/hssStatus.h"
#include "sound/hssWaveFormat.h"

#include <cstring>

enum { FORMAT_CHUNK_AT = 12, CHUNK_HEADER = 8, FORMAT_BASE_SIZE = 16 };

static uint32_t readLe32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

static int readLe16u(const uint8_t* p)
{
    return p[0] | (p[1] << 8);
}

static int parseFormat(const uint8_t* body, size_t size, hssWaveFormat& format)
{
    format.tag = readLe16u(body);
    format.channels = readLe16u(body + 2);
    format.sampleRate = static_cast<int>(readLe32(body + 4) & 0x7FFFFFFF);
    format.blockAlign = readLe16u(body + 12);
    format.bitsPerSample = readLe16u(body + 14);
    bool bitsKnown = format.bitsPerSample == 4 || format.bitsPerSample == 8 || format.bitsPerSample == 16;
    if (!bitsKnown || (format.channels != 1 && format.channels != 2) || format.sampleRate == 0)
        return HSS_UNSUPPORTED;
    if (format.bitsPerSample == 4)
        return hssReadAdpcmFormat(body, size, format);
    return HSS_OK;
}

// Finds the "data" chunk after the format chunk; every chunk must lie inside the file.
static bool findData(const uint8_t* bytes, size_t size, size_t at, const uint8_t*& data, size_t& dataSize)
{
    while (at + CHUNK_HEADER <= size) {
        uint64_t chunkSize = readLe32(bytes + at + 4);
        size_t body = at + CHUNK_HEADER;
        if (chunkSize > size - body)
            return false;
        if (std::memcmp(bytes + at, "data", 4) == 0) {
            data = bytes + body;
            dataSize = static_cast<size_t>(chunkSize);
            return true;
        }
        at = body + static_cast<size_t>(chunkSize) + (chunkSize & 1);   // chunks are word aligned
    }
    return false;
}

void hssSound::release()
{
    std::vector<uint8_t>().swap(samples);
    frameCount = 0;
}

int hssSound::load(const uint8_t* bytes, size_t size)
{
    release();
    if (!bytes)
        return HSS_NO_DATA;
    if (size < FORMAT_CHUNK_AT + CHUNK_HEADER || std::memcmp(bytes + FORMAT_CHUNK_AT, "fmt ", 4) != 0)
        return HSS_NOT_WAVE;
    size_t formatSize = readLe32(bytes + FORMAT_CHUNK_AT + 4);
    const size_t formatBody = FORMAT_CHUNK_AT + CHUNK_HEADER;
    if (formatSize < FORMAT_BASE_SIZE || formatSize > size - formatBody)
        return HSS_NOT_WAVE;
    hssWaveFormat format;
    int status = parseFormat(bytes + formatBody, formatSize, format);
    if (status != HSS_OK)
        return status;

    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    if (!findData(bytes, size, formatBody + formatSize + (formatSize & 1), data, dataSize))
        return HSS_NO_DATA;

    size_t frames;
    if (format.bitsPerSample == 4) {
        std::vector<int16_t> decoded;
        status = hssDecodeAdpcm(format, data, dataSize, decoded);
        if (status != HSS_OK)
            return status;
        samples.resize(decoded.size() * 2);
        for (size_t i = 0; i < decoded.size(); ++i) {
            uint16_t v = static_cast<uint16_t>(decoded[i]);
            samples[2 * i] = static_cast<uint8_t>(v & 0xFF);
            samples[2 * i + 1] = static_cast<uint8_t>(v >> 8);
        }
        frames = decoded.size() / format.channels;
    } else {
        size_t bytesPerFrame = (format.bitsPerSample / 8) * format.channels;
        frames = dataSize / bytesPerFrame;
        samples.assign(data, data + frames * bytesPerFrame);
    }
    eightBit = format.bitsPerSample == 8;
    stereo = format.channels == 2;
    rate = format.sampleRate;
    frequency = format.sampleRate;
    frameCount = static_cast<int>(frames);
    pan = 128;
    return HSS_OK;
}
