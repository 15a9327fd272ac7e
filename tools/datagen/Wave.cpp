// RIFF wave writing.
#include "Wave.h"

#include <algorithm>
#include <cmath>
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

}  // namespace datagen
