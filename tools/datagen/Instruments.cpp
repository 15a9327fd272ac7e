// Instrument synthesis: each tonal voice is an evolving attack followed by one looped cycle.
#include "Instruments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace datagen {

namespace {

constexpr float TWO_PI = 6.2831853f;
// Playback rate of a sample at the drums' table index 36 (period 214).
constexpr float RATE_AT36 = 7159090.0f / (2 * 214);

struct VoiceRow {
    InstrumentId id;
    const char* name;
    int cycle;      // samples per cycle: 32 plays C4 at index 24, 64 C3, 128 C2
    int volume;     // default volume: the mix level of the role
};

const VoiceRow VOICES[] = {
    {FLUTE, "soft flute", 32, 44}, {BELL, "glass bell", 32, 42}, {PLUCK, "nylon pluck", 64, 30},
    {PAD, "warm pad", 64, 20},     {BASS, "round bass", 128, 46},
};

int midiAt24(int cycle)
{
    return cycle == 32 ? 60 : cycle == 64 ? 48 : 36;
}

int8_t toSample(float v)
{
    return int8_t(std::clamp(int(std::lround(v * 110.0f)), -127, 127));
}

// attackCycles of evolving tone (the shape gets the cycle number), then one looped steady cycle.
Instrument tonal(const VoiceRow& row, int attackCycles, const std::function<float(float phase, int cycle)>& shape,
                 const std::function<float(int cycle)>& envelope)
{
    Instrument in;
    in.name = row.name;
    in.volume = row.volume;
    for (int c = 0; c <= attackCycles; ++c)
        for (int i = 0; i < row.cycle; ++i) {
            float phase = float(i) / row.cycle;
            in.data.push_back(toSample(shape(phase, c) * envelope(c)));
        }
    in.loopStart = attackCycles * row.cycle;
    in.loopLength = row.cycle;
    return in;
}

float harmonics(float phase, std::initializer_list<float> gains)
{
    float v = 0, n = 1;
    for (float g : gains)
        v += g * std::sin(TWO_PI * phase * n++);
    return v;
}

Instrument drum(const char* name, int volume, float seconds, const std::function<float(float t, uint32_t& seed)>& f)
{
    Instrument in;
    in.name = name;
    in.volume = volume;
    uint32_t seed = 12345;
    size_t n = size_t(seconds * RATE_AT36) & ~size_t(1);
    for (size_t i = 0; i < n; ++i)
        in.data.push_back(toSample(f(float(i) / RATE_AT36, seed)));
    return in;
}

float white(uint32_t& seed)
{
    seed = seed * 1664525u + 1013904223u;
    return ((seed >> 9) & 0xFFFF) / 32768.0f - 1.0f;
}

}  // namespace

std::vector<Instrument> synthInstruments()
{
    std::vector<Instrument> out;
    out.push_back(tonal(VOICES[0], 6, [](float p, int c) {
        return harmonics(p, {0.85f, 0.12f, 0.1f}) + (c < 3 ? 0.04f * std::sin(TWO_PI * p * 7) : 0);
    }, [](int c) { return std::min(1.0f, 0.3f + c * 0.12f); }));
    out.push_back(tonal(VOICES[1], 40, [](float p, int c) {
        float fade = std::exp(-c / 10.0f);
        return harmonics(p, {0.8f, 0.35f * fade, 0.12f * fade, 0.25f * fade, 0, 0.1f * fade});
    }, [](int) { return 1.0f; }));
    out.push_back(tonal(VOICES[2], 48, [](float p, int c) {
        float bright = std::exp(-c / 8.0f);
        return harmonics(p, {0.75f, 0.4f * bright + 0.1f, 0.25f * bright, 0.15f * bright, 0.08f * bright});
    }, [](int c) { return 1.0f - 0.4f * std::min(1.0f, c / 48.0f); }));
    out.push_back(tonal(VOICES[3], 40, [](float p, int) {
        return harmonics(p, {0.6f, 0.25f, 0.14f, 0.08f, 0.05f, 0.03f});
    }, [](int c) { return std::min(1.0f, c / 40.0f); }));
    out.push_back(tonal(VOICES[4], 8, [](float p, int c) {
        return harmonics(p, {0.9f, 0.3f * std::exp(-c / 3.0f) + 0.1f, 0.08f});
    }, [](int c) { return c == 0 ? 0.7f : 1.0f; }));
    out.push_back(drum("soft kick", 46, 0.22f, [](float t, uint32_t&) {
        float hz = 45 + 90 * std::exp(-t * 30);
        return std::sin(TWO_PI * hz * t) * std::exp(-t * 14);
    }));
    out.push_back(drum("brush snare", 26, 0.2f, [](float t, uint32_t& seed) {
        return 0.5f * white(seed) * std::exp(-t * 20) + 0.35f * std::sin(TWO_PI * 190 * t) * std::exp(-t * 30);
    }));
    float last = 0;
    out.push_back(drum("shaker", 18, 0.07f, [last](float t, uint32_t& seed) mutable {
        float w = white(seed), high = w - last;  // first difference: a bright, thin noise
        last = w;
        return 0.5f * high * std::min(1.0f, t * 400) * std::exp(-t * 55);
    }));
    return out;
}

int tableIndex(InstrumentId id, int midi)
{
    int cycle = 64;
    for (const VoiceRow& v : VOICES)
        if (v.id == id)
            cycle = v.cycle;
    int index = 24 + midi - midiAt24(cycle);
    if (index < 0 || index >= 84)
        throw std::out_of_range("note " + std::to_string(midi) + " outside the instrument's range");
    return index;
}

}  // namespace datagen
