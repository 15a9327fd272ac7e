// The module timeline checked against an independent player (openmpt123) on generated songs.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

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
    hssMusic music;
    EXPECT_EQ(HSS_OK, music.load(file.data(), file.size()));
    MemoryEngine engine(44100, 16, 1, 1, 8);
    int id = engine.speaker.playMusic(&music);
    const int chunk = 256;
    long frames = 0;
    while (frames < 44100L * 600) {
        engine.render(chunk);
        frames += chunk;
        if (engine.speaker.channel(id)->isStopped())
            break;
    }
    return frames / 44100.0;
}

// The duration openmpt123 reports, or a negative value when it cannot tell.
double referenceSeconds(const std::string& path)
{
    // Subsong 0 is the song as played from the first order; the default sums every subsong.
    std::string command = "openmpt123 --info --subsong 0 '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char line[512];
    double seconds = -1;
    while (fgets(line, sizeof line, pipe)) {
        std::string text = line;
        if (text.rfind("Duration", 0) != 0)
            continue;
        std::string value = text.substr(text.find(':') + 1);
        double total = 0;
        size_t start = 0;
        for (size_t colon; (colon = value.find(':', start)) != std::string::npos; start = colon + 1)
            total = total * 60 + std::atof(value.substr(start, colon - start).c_str());
        seconds = total * 60 + std::atof(value.substr(start).c_str());
    }
    pclose(pipe);
    return seconds;
}

}

TEST(ModuleTimeline, AgreesWithAnIndependentPlayer)
{
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "openmpt123 is not installed";
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
    char folder[] = "/tmp/tintrow-timeline-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    for (const Song& song : songs) {
        Bytes file = buildSong(song);
        std::string path = std::string(folder) + "/song.mod";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
        double reference = referenceSeconds(path);
        ASSERT_GT(reference, 0) << song.name;
        double ours = engineSeconds(file);
        EXPECT_NEAR(reference, ours, reference * 0.01) << song.name;
        std::remove(path.c_str());
    }
    rmdir(folder);
}
