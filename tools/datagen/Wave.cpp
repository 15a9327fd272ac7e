// RIFF wave writing and the header walk the game's loader performs.
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace datagen {

static void le16(Bytes& b, int v)
{
    b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
}

static void le32(Bytes& b, uint32_t v)
{
    le16(b, int(v & 0xFFFF)), le16(b, int(v >> 16));
}

static void tag(Bytes& b, const char* t)
{
    b.insert(b.end(), t, t + 4);
}

Bytes encodeWave(const std::vector<float>& samples, int rate, int bits)
{
    if (bits != 8 && bits != 16)
        throw std::invalid_argument("wave: 8 or 16 bits");
    Bytes data;
    for (float s : samples) {
        float v = std::clamp(s, -1.0f, 1.0f);
        if (bits == 8)
            data.push_back(uint8_t(std::lround(v * 127.0f) + 128));
        else
            le16(data, int(std::lround(v * 32767.0f)));
    }
    if (data.size() % 2)
        data.push_back(bits == 8 ? 128 : 0);  // chunks are word aligned
    int block = bits / 8;
    Bytes out;
    tag(out, "RIFF");
    le32(out, uint32_t(4 + 8 + 16 + 8 + data.size()));
    tag(out, "WAVE");
    tag(out, "fmt ");
    le32(out, 16);
    le16(out, 1), le16(out, 1);
    le32(out, uint32_t(rate)), le32(out, uint32_t(rate * block));
    le16(out, block), le16(out, bits);
    tag(out, "data");
    le32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

static uint32_t rd(const Bytes& b, size_t at, int n)
{
    if (at + size_t(n) > b.size())
        throw std::runtime_error("header cut off");
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | b[at + size_t(i)];
    return v;
}

WaveInfo inspectWave(const Bytes& b)
{
    if (b.size() < 20 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        throw std::runtime_error("not a RIFF wave");
    if (std::memcmp(b.data() + 12, "fmt ", 4) != 0)
        throw std::runtime_error("the first chunk is not \"fmt \"");
    WaveInfo w;
    size_t fmtSize = rd(b, 16, 4);
    w.format = int(rd(b, 20, 2));
    w.channels = int(rd(b, 22, 2));
    w.rate = int(rd(b, 24, 4));
    w.bits = int(rd(b, 34, 2));
    if (w.bits != 4 && w.bits != 8 && w.bits != 16)
        throw std::runtime_error("unsupported sample size");
    if (w.channels != 1 && w.channels != 2)
        throw std::runtime_error("unsupported channel count");
    if (w.bits == 4) {
        if (w.format != 2)
            throw std::runtime_error("4-bit data that is not MS-ADPCM");
        w.adpcmCoefficients = int(rd(b, 40, 2));
        if (w.adpcmCoefficients != 7)
            throw std::runtime_error("MS-ADPCM without the 7 standard coefficient pairs");
    }
    size_t at = 20 + fmtSize;
    for (;;) {
        if (at + 8 > b.size())
            throw std::runtime_error("no \"data\" chunk");
        size_t size = rd(b, at + 4, 4);
        if (std::memcmp(b.data() + at, "data", 4) == 0) {
            if (at + 8 + size > b.size())
                throw std::runtime_error("data chunk runs past the file");
            w.dataSize = size;
            return w;
        }
        at += 8 + size + (size & 1);
    }
}

}  // namespace datagen
