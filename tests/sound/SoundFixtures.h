// Builders of wave and module files and an engine on a memory driver, for the sound tests.
#pragma once

#include "sound/hssMemoryDriver.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace soundtest {

using Bytes = std::vector<uint8_t>;

inline void putLe(Bytes& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void putChunk(Bytes& out, const char* id, const Bytes& body)
{
    out.insert(out.end(), id, id + 4);
    putLe(out, static_cast<uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2)
        out.push_back(0);
}

// Little-endian fields given as (value, width in bytes).
inline Bytes fields(std::initializer_list<std::pair<int, int>> values)
{
    Bytes out;
    for (const auto& v : values)
        putLe(out, static_cast<uint32_t>(v.first), v.second);
    return out;
}

inline Bytes pcmFormat(int channels, int rate, int bits)
{
    return fields({{1, 2}, {channels, 2}, {rate, 4}, {rate * channels * bits / 8, 4}, {channels * bits / 8, 2}, {bits, 2}});
}

// An MS-ADPCM format chunk at 8000 Hz with `coefficients` pairs (valid files have 7).
inline Bytes adpcmFormat(int channels, int coefficients = 7, int blockAlign = 256)
{
    Bytes fmt = fields({{2, 2}, {channels, 2}, {8000, 4}, {4000, 4}, {blockAlign, 2}, {4, 2}, {4 + 4 * coefficients, 2},
                        {(blockAlign - 7 * channels) * 2 / channels + 2, 2}, {coefficients, 2}});
    const int pairs[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    for (int i = 0; i < coefficients; ++i)
        fmt.insert(fmt.end(), {uint8_t(pairs[i % 7][0]), uint8_t(pairs[i % 7][0] >> 8), uint8_t(pairs[i % 7][1]), uint8_t(pairs[i % 7][1] >> 8)});
    return fmt;
}

// A RIFF wave file: the format chunk, then `between` (whole chunks), then the data chunk.
inline Bytes makeWave(const Bytes& fmt, const Bytes& data, const Bytes& between = Bytes())
{
    Bytes body;
    putChunk(body, "fmt ", fmt);
    body.insert(body.end(), between.begin(), between.end());
    putChunk(body, "data", data);
    Bytes out = {'R', 'I', 'F', 'F'};
    putLe(out, static_cast<uint32_t>(body.size() + 4), 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes pcm16(const std::vector<int16_t>& samples)
{
    Bytes out;
    for (int16_t s : samples)
        putLe(out, static_cast<uint16_t>(s), 2);
    return out;
}

inline Bytes mono16Wave(const std::vector<int16_t>& samples, int rate = 44100)
{
    return makeWave(pcmFormat(1, rate, 16), pcm16(samples));
}

// Loads from an exact-size heap copy, so the sanitizers see any read past the end.
template <class Loaded>
int loadExact(Loaded& target, const Bytes& bytes)
{
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    return target.load(exact.get(), bytes.size());
}

template <class Loaded>
Loaded loaded(const Bytes& file)
{
    Loaded target;
    EXPECT_EQ(HSS_OK, target.load(file.data(), file.size()));
    return target;
}

struct Cell {
    int instrument;
    int period;
    int effect;
    int parameter;
};

// A 31-instrument module with 64-row patterns.
class ModuleBuilder {
public:
    explicit ModuleBuilder(int tracks = 4, const std::string& signature = "M.K.")
        : trackCount(tracks), header(1084, 0), samples(31)
    {
        std::memcpy(header.data() + 1080, signature.data(), 4);
        setOrders({0});
    }

    void setOrders(const std::vector<int>& orders, int restart = 127)
    {
        header[950] = static_cast<uint8_t>(orders.size());
        header[951] = static_cast<uint8_t>(restart);
        int highest = 0;
        for (size_t i = 0; i < orders.size(); ++i) {
            header[952 + i] = static_cast<uint8_t>(orders[i]);
            highest = std::max(highest, orders[i]);
        }
        patterns.resize(static_cast<size_t>(highest + 1) * 64 * trackCount * 4, 0);
    }

    // Lengths are in bytes (even); loops in words as the file stores them.
    void setSample(int instrument, const std::vector<int8_t>& data, int volume = 64, int finetune = 0,
                   int loopStartWords = 0, int loopLengthWords = 1)
    {
        uint8_t* record = header.data() + 20 + (instrument - 1) * 30;
        const int words = static_cast<int>(data.size() / 2);
        const uint8_t fields[] = {uint8_t(words >> 8), uint8_t(words), uint8_t(finetune & 0x0F), uint8_t(volume),
                                  uint8_t(loopStartWords >> 8), uint8_t(loopStartWords), uint8_t(loopLengthWords >> 8),
                                  uint8_t(loopLengthWords)};
        std::copy(fields, fields + 8, record + 22);
        samples[instrument - 1].assign(data.begin(), data.begin() + words * 2);
    }

    void setCell(int pattern, int row, int track, const Cell& cell)
    {
        uint8_t* p = patterns.data() + ((static_cast<size_t>(pattern) * 64 + row) * trackCount + track) * 4;
        p[0] = static_cast<uint8_t>((cell.instrument & 0xF0) | ((cell.period >> 8) & 0x0F));
        p[1] = static_cast<uint8_t>(cell.period & 0xFF);
        p[2] = static_cast<uint8_t>(((cell.instrument & 0x0F) << 4) | (cell.effect & 0x0F));
        p[3] = static_cast<uint8_t>(cell.parameter);
    }

    Bytes build() const
    {
        Bytes out = header;
        out.insert(out.end(), patterns.begin(), patterns.end());
        for (const auto& s : samples)
            out.insert(out.end(), s.begin(), s.end());
        return out;
    }

private:
    int trackCount;
    Bytes header;
    Bytes patterns;
    std::vector<std::vector<int8_t>> samples;
};

inline hssDriver* failingDriver()
{
    struct Failing : hssMemoryDriver {
        int open(const hssFormat&, int, hssMixCallback, void*) override { return -1; }
    };
    return new Failing();
}

// An open engine whose output the test pulls.
struct MemoryEngine {
    hssSpeaker speaker{hssCreateMemoryDriver};

    explicit MemoryEngine(int frequency = 44100, int bits = 16, int stereo = 1, int music = 2, int sounds = 8)
    {
        speaker.open(frequency, bits, stereo, music, sounds);
    }

    hssMemoryDriver& driver() { return *static_cast<hssMemoryDriver*>(speaker.driver()); }

    Bytes render(int frames)
    {
        Bytes out(static_cast<size_t>(frames) * (speaker.is16bit() ? 2 : 1) * (speaker.isStereo() ? 2 : 1));
        driver().render(out.data(), static_cast<int>(out.size()));
        return out;
    }

    std::vector<int16_t> render16(int frames)
    {
        Bytes raw = render(frames);
        std::vector<int16_t> out(raw.size() / 2);
        std::memcpy(out.data(), raw.data(), raw.size());
        return out;
    }
};

} // namespace soundtest
