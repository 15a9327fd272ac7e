// The module timeline checked against an independent player (openmpt123) on generated songs.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssOfflineRenderer.h"
#include "sound/hssSound.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

using namespace soundtest;

namespace {

struct Placed {
    int order;   // pattern
    int row;
    int track;
    Cell cell;
};

struct Song {
    const char* name;
    std::vector<int> orders;
    std::vector<Placed> cells;
};

Bytes buildSong(const Song& song)
{
    ModuleBuilder builder;
    builder.setOrders(song.orders);
    std::vector<int8_t> wave(2000);
    for (size_t i = 2; i < wave.size(); ++i)
        wave[i] = static_cast<int8_t>((i % 64) * 2 - 64);
    builder.setSample(1, wave, 48, 0, 1, 999);
    for (int row = 0; row < 64; row += 8)
        builder.setCell(0, row, 3, {1, 428, 0, 0});
    // An extended command (a fine volume change of 0) marks the file as a 31-instrument
    // tracker's, whose pattern breaks honour their row; older trackers always broke to row 0.
    builder.setCell(0, 1, 3, {0, 0, 0xE, 0xA0});
    for (const Placed& p : song.cells)
        builder.setCell(p.order, p.row, p.track, p.cell);
    return builder.build();
}

double engineSeconds(const Bytes& file)
{
    hssMusic music = loaded<hssMusic>(file);
    MemoryEngine engine(44100, 16, 1, 1, 8);
    int id = engine.speaker.playMusic(&music);
    long frames = 0;
    for (; frames < 44100L * 600 && !engine.speaker.channel(id)->isStopped(); frames += 256)
        engine.render(256);
    // The row that ends the song is read but not played; the reference plays it.
    const hssMusicChannel& channel = *static_cast<hssMusicChannel*>(engine.speaker.channel(id));
    const long samplesPerTick = (44100L * 65536 / (256L * channel.tempo())) / 256;
    return (frames + channel.speed() * samplesPerTick) / 44100.0;
}

// The duration openmpt123 reports; -1 when it reports none.
double referenceSeconds(const std::string& path)
{
    // Subsong 0 is the song as played from the first order; the default sums every subsong.
    support::RunResult r = support::run({"openmpt123", "--info", "--subsong", "0", path});
    EXPECT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out + r.err);
    double seconds = -1;
    for (std::string text; std::getline(lines, text);) {
        if (text.rfind("Duration", 0) != 0)
            continue;
        std::string value = text.substr(text.find(':') + 1);
        double total = 0;
        size_t start = 0;
        for (size_t colon; (colon = value.find(':', start)) != std::string::npos; start = colon + 1)
            total = total * 60 + std::atof(value.substr(start, colon - start).c_str());
        seconds = total * 60 + std::atof(value.substr(start).c_str());
    }
    return seconds;
}

}

TEST(ModuleTimeline, AgreesWithAnIndependentPlayer)
{
    const Song songs[] = {
        {"one pattern", {0}, {}},
        {"orders and speeds", {0, 1, 0, 2}, {{0, 0, 0, {0, 0, 0xF, 3}}, {1, 10, 0, {0, 0, 0xF, 9}}, {2, 0, 0, {0, 0, 0xF, 4}}}},
        {"tempos", {0, 1, 2}, {{0, 0, 1, {0, 0, 0xF, 150}}, {1, 32, 1, {0, 0, 0xF, 100}}, {2, 0, 1, {0, 0, 0xF, 175}}}},
        {"breaks and jumps", {0, 1, 2, 3, 2}, {{0, 20, 0, {0, 0, 0xD, 0x32}}, {1, 40, 2, {0, 0, 0xB, 3}}, {3, 5, 1, {0, 0, 0xD, 0x12}}}},
        {"jump back ends", {0, 1, 2}, {{2, 17, 0, {0, 0, 0xB, 1}}}},
        {"pattern loop", {0, 1}, {{0, 16, 2, {0, 0, 0xE, 0x60}}, {0, 31, 2, {0, 0, 0xE, 0x63}}, {1, 8, 2, {0, 0, 0xE, 0x60}}, {1, 12, 2, {0, 0, 0xE, 0x61}}}},
        {"pattern delay", {0}, {{0, 3, 1, {0, 0, 0xE, 0xE4}}, {0, 50, 2, {0, 0, 0xE, 0xEF}}}},
        {"slow and long", {0, 0, 1, 1, 0}, {{0, 0, 0, {0, 0, 0xF, 0x1F}}, {1, 0, 0, {0, 0, 0xF, 80}}}},
    };
    support::TempDir folder;
    const std::string path = folder / "song.mod";
    for (const Song& song : songs) {
        const Bytes file = buildSong(song);
        support::writeFile(path, file);
        const double reference = referenceSeconds(path);
        ASSERT_GT(reference, 0) << song.name;
        EXPECT_NEAR(reference, engineSeconds(file), reference * 0.01) << song.name;
    }
}

namespace {

struct Window {
    int crossings;   // zero crossings: the pitch
    double rms;      // the level
};

std::vector<Window> windows(const int16_t* samples, size_t count, size_t size)
{
    std::vector<Window> out;
    for (size_t start = 0; start + size <= count; start += size) {
        Window w = {0, 0};
        double sum = 0;
        for (size_t i = start; i < start + size; ++i) {
            if (i > start && (samples[i - 1] < 0) != (samples[i] < 0))
                ++w.crossings;
            sum += double(samples[i]) * samples[i];
        }
        w.rms = std::sqrt(sum / size);
        out.push_back(w);
    }
    return out;
}

}

// One track of a square wave through notes and the pitch and volume effects both players read
// alike; every 60 ms window must match in pitch (zero crossings) and level. A cut note that
// sounds again on the next row and a 5xy note that is no slide target are ours alone: kept out.
TEST(ModuleTimeline, PitchAndLevelFollowAnIndependentPlayer)
{
    ModuleBuilder builder;
    std::vector<int8_t> square(64);
    for (size_t i = 0; i < square.size(); ++i)
        square[i] = (i % 32) < 16 ? 100 : -100;
    builder.setSample(1, square, 64, 0, 0, 32);
    const Placed cells[] = {
        {0, 0, 0, {1, 428, 0, 0}}, {0, 4, 0, {0, 0, 0, 0x47}}, {0, 8, 0, {1, 428, 1, 4}},
        {0, 12, 0, {1, 428, 2, 4}}, {0, 16, 0, {1, 214, 0, 0}}, {0, 20, 0, {1, 428, 3, 8}},
        {0, 24, 0, {0, 0, 3, 0}}, {0, 28, 0, {0, 0, 4, 0x48}}, {0, 32, 0, {1, 320, 0xA, 0x02}},
        {0, 36, 0, {0, 0, 0xC, 0x30}}, {0, 40, 0, {1, 285, 6, 0x03}}, {0, 47, 0, {1, 254, 0xE, 0xC3}},
        {0, 48, 0, {1, 240, 0xE, 0xD2}}, {0, 52, 0, {1, 226, 9, 0}}, {0, 56, 0, {1, 202, 3, 0x20}}, {0, 58, 0, {0, 0, 5, 0x02}},
        {0, 60, 0, {1, 190, 0, 0}}, {0, 1, 3, {0, 0, 0xE, 0xA0}},
    };
    for (const Placed& p : cells)
        builder.setCell(p.order, p.row, p.track, p.cell);
    Bytes file = builder.build();

    hssRenderSettings settings;
    settings.stereo = false;
    Bytes ours;
    ASSERT_EQ(HSS_OK, hssRenderOffline(file.data(), file.size(), true, settings, ours));

    support::TempDir folder;
    const std::string path = folder / "song.mod";
    support::writeFile(path, file);
    support::RunResult rendered = support::run({"openmpt123", "--quiet", "--render", "--subsong", "0", "--samplerate",
                                                "44100", "--no-float", "--channels", "1", "--filter", "1", "--ramping",
                                                "0", "--force", path});
    ASSERT_EQ(0, rendered.status) << rendered.err;
    const hssSound reference = loaded<hssSound>(support::readFile(path + ".wav"));

    const size_t window = 2646;
    std::vector<Window> mine = windows(reinterpret_cast<const int16_t*>(ours.data()), ours.size() / 2, window);
    std::vector<Window> theirs = windows(reinterpret_cast<const int16_t*>(reference.data()), reference.length(), window);
    ASSERT_EQ(63u * 2, mine.size());   // the row that ends the song is not played
    ASSERT_GE(theirs.size(), mine.size());
    for (size_t i = 0; i < mine.size(); ++i) {
        EXPECT_NEAR(theirs[i].crossings, mine[i].crossings, 3 + theirs[i].crossings / 20) << "window " << i;
        EXPECT_NEAR(theirs[i].rms, mine[i].rms, 5 + theirs[i].rms * 0.05) << "window " << i;
    }
}
