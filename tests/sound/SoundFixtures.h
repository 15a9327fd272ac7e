// Builders of wave and module files for the sound tests, and an engine on a memory driver.
#pragma once

#include "sound/hssMemoryDriver.h"
#include "sound/hssSpeaker.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace soundtest {

using Bytes = std::vector<uint8_t>;

inline void putLe16(Bytes& out, int value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

inline void putLe32(Bytes& out, uint32_t value)
{
    putLe16(out, static_cast<int>(value & 0xFFFF));
    putLe16(out, static_cast<int>(value >> 16));
}

inline void putChunk(Bytes& out, const char* id, const Bytes& body)
{
    out.insert(out.end(), id, id + 4);
    putLe32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2)
        out.push_back(0);
}

inline Bytes pcmFormat(int channels, int rate, int bits)
{
    Bytes fmt;
    putLe16(fmt, 1);
    putLe16(fmt, channels);
    putLe32(fmt, rate);
    putLe32(fmt, rate * channels * bits / 8);
    putLe16(fmt, channels * bits / 8);
    putLe16(fmt, bits);
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
    putLe32(out, static_cast<uint32_t>(body.size() + 4));
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes pcm16(const std::vector<int16_t>& samples)
{
    Bytes out;
    for (int16_t s : samples)
        putLe16(out, s);
    return out;
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
    explicit ModuleBuilder(int tracks = 4, const char* signature = "M.K.")
        : tracks_(tracks), header_(1084, 0), samples_(31)
    {
        std::memcpy(header_.data() + 1080, signature, 4);
        setOrders({0});
    }

    void setOrders(const std::vector<int>& orders, int restart = 127)
    {
        header_[950] = static_cast<uint8_t>(orders.size());
        header_[951] = static_cast<uint8_t>(restart);
        int highest = 0;
        for (size_t i = 0; i < orders.size(); ++i) {
            header_[952 + i] = static_cast<uint8_t>(orders[i]);
            highest = orders[i] > highest ? orders[i] : highest;
        }
        patterns_.resize(static_cast<size_t>(highest + 1) * 64 * tracks_ * 4, 0);
    }

    // Lengths are in bytes (even); loops in words as the file stores them.
    void setSample(int instrument, const std::vector<int8_t>& data, int volume = 64, int finetune = 0,
                   int loopStartWords = 0, int loopLengthWords = 1)
    {
        uint8_t* record = header_.data() + 20 + (instrument - 1) * 30;
        int words = static_cast<int>(data.size() / 2);
        record[22] = static_cast<uint8_t>(words >> 8);
        record[23] = static_cast<uint8_t>(words);
        record[24] = static_cast<uint8_t>(finetune & 0x0F);
        record[25] = static_cast<uint8_t>(volume);
        record[26] = static_cast<uint8_t>(loopStartWords >> 8);
        record[27] = static_cast<uint8_t>(loopStartWords);
        record[28] = static_cast<uint8_t>(loopLengthWords >> 8);
        record[29] = static_cast<uint8_t>(loopLengthWords);
        samples_[instrument - 1].assign(data.begin(), data.begin() + words * 2);
    }

    void setCell(int pattern, int row, int track, const Cell& cell)
    {
        uint8_t* p = patterns_.data() + ((static_cast<size_t>(pattern) * 64 + row) * tracks_ + track) * 4;
        p[0] = static_cast<uint8_t>((cell.instrument & 0xF0) | ((cell.period >> 8) & 0x0F));
        p[1] = static_cast<uint8_t>(cell.period & 0xFF);
        p[2] = static_cast<uint8_t>(((cell.instrument & 0x0F) << 4) | (cell.effect & 0x0F));
        p[3] = static_cast<uint8_t>(cell.parameter);
    }

    Bytes build() const
    {
        Bytes out = header_;
        out.insert(out.end(), patterns_.begin(), patterns_.end());
        for (const auto& s : samples_)
            for (int8_t v : s)
                out.push_back(static_cast<uint8_t>(v));
        return out;
    }

private:
    int tracks_;
    Bytes header_;
    Bytes patterns_;
    std::vector<std::vector<int8_t>> samples_;
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
        int bytesPerFrame = (speaker.is16bit() ? 2 : 1) * (speaker.isStereo() ? 2 : 1);
        Bytes out(static_cast<size_t>(frames) * bytesPerFrame);
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
