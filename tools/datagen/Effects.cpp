// The game's sound effects, synthesised: bells, blips, bubbles and soft thuds.
#include "Audio.h"

#include "Wave.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace datagen {

const std::vector<SoundName>& soundTable()
{
    static const std::vector<SoundName> table = {
        {"snd/dec", false},       {"snd/inc", false},         {"snd/move", false},  {"snd/select", false},
        {"snd/fun", false},       {"snd/no", false},          {"snd/victory", false}, {"snd/defeat", false},
        {"snd/menu_move", false}, {"snd/menu_select", false}, {"snd/menu", true},   {"snd/game1", true},
        {"snd/game2", true},      {"snd/game3", true},
    };
    return table;
}

namespace {

constexpr float TWO_PI = 6.2831853f;

float noteHz(int midi)
{
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

// A buffer that voices are added into; each voice is a phase-accumulated oscillator.
struct Mix {
    int rate;
    std::vector<float> s;

    Mix(int r, float seconds) : rate(r), s(size_t(r * seconds)) {}

    // Pitch and level follow functions of time; partials give bells their shimmer.
    void voice(float start, float length, const std::function<float(float)>& hz,
               const std::function<float(float)>& level, std::initializer_list<std::pair<float, float>> partials)
    {
        double phase = 0;
        size_t from = size_t(start * rate), count = size_t(length * rate);
        for (size_t i = 0; i < count && from + i < s.size(); ++i) {
            float t = float(i) / rate;
            phase += hz(t) / rate;
            float v = 0;
            for (const auto& [ratio, gain] : partials)
                v += gain * std::sin(TWO_PI * float(phase) * ratio);
            s[from + i] += v * level(t);
        }
    }

    void bell(float start, int midi, float length, float gain)
    {
        voice(start, length, [=](float) { return noteHz(midi); },
              [=](float t) { return gain * std::min(1.0f, t * 400) * std::exp(-t * 6 / length); },
              {{1.0f, 1.0f}, {2.0f, 0.35f}, {2.76f, 0.18f}, {5.4f, 0.06f}});
    }

    void noise(float start, float length, float gain, uint32_t seed)
    {
        float low = 0;
        for (size_t i = 0, from = size_t(start * rate); i < size_t(length * rate) && from + i < s.size(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            float white = ((seed >> 9) & 0xFFFF) / 32768.0f - 1.0f;
            low += (white - low) * 0.35f;  // softened: no harsh hiss
            float t = float(i) / rate;
            s[from + i] += low * gain * std::exp(-t * 40);
        }
    }

    std::vector<float> normalised(float peak) const
    {
        float top = 1e-6f;
        for (float v : s)
            top = std::max(top, std::fabs(v));
        std::vector<float> out(s);
        for (float& v : out)
            v *= peak / top;
        // Short fades at both ends keep the edges click-free.
        size_t fade = std::min(out.size() / 4, size_t(rate / 400));
        for (size_t i = 0; i < fade; ++i) {
            out[i] *= float(i) / fade;
            out[out.size() - 1 - i] *= float(i) / fade;
        }
        return out;
    }
};

std::vector<float> removal()  // rising sparkle: three bells
{
    Mix m(22050, 0.6f);
    const int notes[] = {76, 79, 84};
    for (int i = 0; i < 3; ++i)
        m.bell(i * 0.07f, notes[i], 0.45f, 0.8f);
    return m.normalised(0.8f);
}

std::vector<float> spawn()  // two soft bubbles
{
    Mix m(22050, 0.26f);
    for (int i = 0; i < 2; ++i)
        m.voice(i * 0.1f, 0.12f, [=](float t) { return 320.0f + i * 90 + 2600 * t; },
                [](float t) { return std::sin(3.1415926f * t / 0.12f); }, {{1.0f, 1.0f}, {2.0f, 0.15f}});
    return m.normalised(0.6f);
}

std::vector<float> rolling()  // looped while a ball travels: a soft wooden tick-tock
{
    Mix m(11025, 0.24f);
    for (int i = 0; i < 2; ++i)
        m.voice(i * 0.12f, 0.1f, [=](float t) { return (i ? 520.0f : 660.0f) - 800 * t; },
                [](float t) { return std::exp(-t * 60); }, {{1.0f, 1.0f}, {1.5f, 0.3f}});
    return m.normalised(0.5f);
}

std::vector<float> select()  // quick blip upwards
{
    Mix m(22050, 0.12f);
    m.voice(0, 0.12f, [](float t) { return 660.0f + 2200 * t; },
            [](float t) { return std::min(1.0f, t * 300) * std::exp(-t * 25); }, {{1.0f, 1.0f}, {2.0f, 0.2f}});
    return m.normalised(0.7f);
}

std::vector<float> fun()  // a playful boing
{
    Mix m(11025, 0.4f);
    m.voice(0, 0.4f, [](float t) { return 420.0f + 380 * std::sin(3.1415926f * t / 0.4f) + 25 * std::sin(t * 70); },
            [](float t) { return std::min(1.0f, t * 100) * std::exp(-t * 5); }, {{1.0f, 1.0f}, {3.0f, 0.12f}});
    return m.normalised(0.7f);
}

std::vector<float> refusal()  // two low soft thuds
{
    Mix m(11025, 0.32f);
    for (int i = 0; i < 2; ++i)
        m.voice(i * 0.15f, 0.14f, [=](float) { return i ? 150.0f : 185.0f; },
                [](float t) { return std::min(1.0f, t * 200) * std::exp(-t * 22); },
                {{1.0f, 1.0f}, {3.0f, 0.25f}, {5.0f, 0.1f}});
    return m.normalised(0.75f);
}

std::vector<float> victory()  // a bright arpeggio ending on a held chord
{
    Mix m(22050, 1.6f);
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        m.bell(i * 0.12f, notes[i], 1.1f, 0.7f);
    for (int n : {72, 76, 79})
        m.voice(0.48f, 1.1f, [=](float t) { return noteHz(n) * (1 + 0.003f * std::sin(t * 30)); },
                [](float t) { return 0.25f * std::min(1.0f, t * 8) * std::exp(-t * 2.2f); }, {{1.0f, 1.0f}, {2.0f, 0.3f}});
    return m.normalised(0.8f);
}

std::vector<float> defeat()  // a slow falling minor line
{
    Mix m(22050, 1.3f);
    const int notes[] = {67, 63, 60};
    for (int i = 0; i < 3; ++i)
        m.voice(i * 0.3f, 0.6f, [=](float t) { return noteHz(notes[i]) * (1 - 0.01f * t); },
                [](float t) { return std::min(1.0f, t * 50) * std::exp(-t * 4); }, {{1.0f, 1.0f}, {2.0f, 0.25f}, {3.0f, 0.1f}});
    return m.normalised(0.7f);
}

std::vector<float> menuTick()
{
    Mix m(11025, 0.03f);
    m.voice(0, 0.03f, [](float) { return 1900.0f; }, [](float t) { return std::exp(-t * 160); }, {{1.0f, 1.0f}});
    m.noise(0, 0.01f, 0.3f, 5);
    return m.normalised(0.5f);
}

std::vector<float> menuChime()
{
    Mix m(22050, 0.28f);
    m.bell(0, 88, 0.25f, 0.6f);
    m.bell(0.06f, 95, 0.22f, 0.5f);
    return m.normalised(0.65f);
}

struct EffectRow {
    const char* name;
    std::vector<float> (*make)();
    int rate;
    int bits;  // 4: MS-ADPCM through sox
};

const EffectRow EFFECTS[] = {
    {"snd/dec", removal, 22050, 16},       {"snd/inc", spawn, 22050, 4},
    {"snd/move", rolling, 11025, 8},       {"snd/select", select, 22050, 16},
    {"snd/fun", fun, 11025, 8},            {"snd/no", refusal, 11025, 8},
    {"snd/victory", victory, 22050, 4},    {"snd/defeat", defeat, 22050, 16},
    {"snd/menu_move", menuTick, 11025, 8}, {"snd/menu_select", menuChime, 22050, 16},
};

Bytes readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// sox turns the 16-bit wave into 4-bit MS-ADPCM; its output is the same for the same input.
Bytes encodeAdpcm(const Bytes& pcm16, const std::string& soxPath)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tintrow-datagen-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string in = (dir / "in.wav").string(), out = (dir / "out.wav").string();
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(pcm16.data()), std::streamsize(pcm16.size()));
    // -R and -D: no time-seeded dither, so every build encodes the same bytes.
    std::vector<std::string> args = {soxPath, "-V1", "-R", "-D", in, "-e", "ms-adpcm", out};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, soxPath.c_str(), nullptr, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    Bytes result = readAll(out);
    fs::remove_all(dir);
    if (status != 0 || result.empty())
        throw std::runtime_error("sox could not encode MS-ADPCM (is the sox package installed?)");
    return result;
}

}  // namespace

void addSounds(Members& m, const std::string& soxPath)
{
    for (const EffectRow& e : EFFECTS) {
        std::vector<float> samples = e.make();
        Bytes wav = encodeWave(samples, e.rate, e.bits == 4 ? 16 : e.bits);
        if (e.bits == 4)
            wav = encodeAdpcm(wav, soxPath);
        m.add(std::string(e.name) + ".wav", wav);
    }
}

}  // namespace datagen
