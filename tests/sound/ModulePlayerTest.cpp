// Module playback where the independent player cannot judge it: the tick a cut, delay or offset
// acts on, looping songs, portamento with volume slide and finetune.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssTables.h"

using namespace soundtest;

namespace {

const int ROW_FRAMES = 6 * 882; // speed 6 at 50 ticks per second, 44100 Hz

// Instrument 1 is a long constant sample of value 100 after the customary two silent bytes
// (which a track with an instrument but no note keeps playing); instrument 2 has volume 10;
// instrument 3 is a ramp whose value is its offset / 256.
ModuleBuilder toneModule(const std::vector<int>& orders = {0})
{
    ModuleBuilder builder;
    builder.setOrders(orders);
    std::vector<int8_t> tone(60000, 100);
    tone[0] = tone[1] = 0;
    builder.setSample(1, tone);
    builder.setSample(2, std::vector<int8_t>(1000, 1), 10);
    std::vector<int8_t> ramp(4096);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<int8_t>(i / 256);
    builder.setSample(3, ramp);
    return builder;
}

using Cells = std::vector<std::pair<int, Cell>>; // (pattern * 64 + row, cell)

ModuleBuilder songWith(const Cells& cells, int track, const std::vector<int>& orders = {0})
{
    ModuleBuilder builder = toneModule(orders);
    for (const auto& cell : cells)
        builder.setCell(cell.first / 64, cell.first % 64, track, cell.second);
    return builder;
}

struct Playing {
    hssMusic music;
    MemoryEngine engine{44100, 16, 0, 1, 8};
    hssMusicChannel* channel = nullptr;

    explicit Playing(const ModuleBuilder& builder, bool loop = false) : music(loaded<hssMusic>(builder.build()))
    {
        music.loop = loop;
        EXPECT_EQ(0, engine.speaker.playMusic(&music));
        channel = static_cast<hssMusicChannel*>(engine.speaker.channel(0));
    }
    // Plays whole rows: the first row lasts one frame longer than the others.
    void playRows(int rows, int framesPerRow = ROW_FRAMES) { engine.render16(rows * framesPerRow + 1); }
    const hssTrack& track0() const { return channel->track(0); }
};

}

// The mono output at chosen frames shows when a row, a cut, a delay or an offset acts.
TEST(ModuleEffects, OutputFollowsRowsAndTicks)
{
    const int T = 882, R = ROW_FRAMES;
    struct Case {
        const char* name;
        Cells cells;
        std::vector<std::pair<int, int>> samples; // (frame, value)
    };
    const Case cases[] = {
        {"a row lasts speed ticks", {{0, {1, 428, 0, 0}}, {1, {0, 0, 0xC, 0}}}, {{0, 0}, {20, 6400}, {R, 6400}, {R + 1, 0}}},
        {"a cut silences only until the next row; at tick 0 at once",
         {{0, {1, 428, 0xE, 0xC2}}, {2, {0, 0, 0xC, 0x20}}, {3, {0, 0, 0xE, 0xC1}}, {5, {0, 0, 0xE, 0xC0}}},
         {{2 * T - 1, 6400}, {2 * T, 0}, {R + 100, 6400}, {2 * R + 100, 3200}, {3 * R + 1000, 0}, {4 * R + 100, 3200},
          {5 * R + 100, 0}, {6 * R + 100, 3200}}},
        {"a delay strikes on its tick", {{0, {1, 428, 0xE, 0xD3}}}, {{3 * T - 1, 0}, {3 * T + 20, 6400}}},
        {"a sample offset of 0 reuses the last; without a note it moves the playing one",
         {{0, {3, 428, 9, 0x05}}, {1, {3, 428, 9, 0x00}}, {2, {0, 0, 9, 0x02}}, {3, {0, 0, 9, 0x00}}},
         {{0, 64 * 5}, {R + 1, 64 * 5}, {2 * R + 1, 64 * 2}, {3 * R + 1, 64 * 2}}},
    };
    for (const Case& c : cases) {
        Playing song(songWith(c.cells, 0));
        const std::vector<int16_t> out = song.engine.render16(7 * R + 100);
        for (const auto& sample : c.samples)
            EXPECT_EQ(sample.second, out[sample.first]) << c.name << " at frame " << sample.first;
    }
}

TEST(ModuleEffects, LoopingSongsReturnToTheRestartOrder)
{
    for (int restart : {1, 127, 5}) {
        ModuleBuilder builder = toneModule({0, 0, 0});
        builder.setOrders({0, 0, 0}, restart);
        Playing song(builder, true);
        song.playRows(3 * 64);
        EXPECT_EQ(restart == 1 ? 1 : 0, song.channel->order()) << restart;
        EXPECT_EQ(0, song.channel->row());
    }
    Playing song(songWith({{64 + 3, {0, 0, 0xB, 0}}}, 1, {0, 1}), true); // a jump back loops
    song.playRows(64 + 4);
    EXPECT_FALSE(song.channel->isStopped());
    EXPECT_EQ(std::make_pair(0, 0), std::make_pair(song.channel->order(), song.channel->row()));
}

TEST(ModuleEffects, PortamentoWithVolumeSlideNeitherStrikesNorAimsAtItsNote)
{
    Playing song(songWith({{0, {1, 428, 0, 0}}, {1, {1, 320, 5, 0x01}}}, 0));
    song.playRows(1);
    const int64_t position = song.track0().position;
    song.playRows(1, ROW_FRAMES - 1);
    EXPECT_EQ(428, song.track0().period);
    EXPECT_EQ(0, song.track0().portamentoTarget);
    EXPECT_GT(song.track0().position, position); // not restarted
    EXPECT_EQ(64 - 5, song.track0().volume);
}

TEST(ModuleEffects, PeriodsSnapToTheFinetuneRow)
{
    const int16_t* periods = hssPeriodTable();
    ModuleBuilder builder;
    builder.setSample(1, std::vector<int8_t>(1000, 1), 64, 3);
    builder.setCell(0, 0, 0, {1, 430, 0, 0}); // nearest note 428, finetune +3
    Playing song(builder);
    song.engine.render16(1);
    EXPECT_EQ(3 * 84 + 24, song.track0().noteIndex);
    EXPECT_EQ(periods[3 * 84 + 24], song.track0().period);
    EXPECT_LT(song.track0().period, 428);
}

