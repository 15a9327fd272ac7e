// Module playback: row timing, speed and tempo, song flow effects and per-tick effects.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssTables.h"

using namespace soundtest;

namespace {

const int ROW_FRAMES = 6 * 882;   // speed 6 at 50 ticks per second, 44100 Hz

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

using Cells = std::vector<std::pair<int, Cell>>;   // (pattern * 64 + row, cell)

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

    // Frames played until the song stops, or -1 past `limit`.
    long framesToEnd(long limit = 400L * ROW_FRAMES)
    {
        for (long frames = 64; frames < limit + 64; frames += 64) {
            engine.render16(64);
            if (channel->isStopped())
                return frames;
        }
        return -1;
    }

    // Plays whole rows: the first row lasts one frame longer than the others.
    void playRows(int rows, int framesPerRow = ROW_FRAMES) { engine.render16(rows * framesPerRow + 1); }
    const hssTrack& track0() const { return channel->track(0); }
};

long rowsToFrames(double rows)
{
    return static_cast<long>(rows * ROW_FRAMES);
}

}

// The mono output at chosen frames shows when a row, a cut, a delay or an offset acts.
TEST(ModuleEffects, OutputFollowsRowsAndTicks)
{
    const int T = 882, R = ROW_FRAMES;
    struct Case {
        const char* name;
        Cells cells;
        std::vector<std::pair<int, int>> samples;   // (frame, value)
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

TEST(ModuleEffects, SpeedAndTempoCommands)
{
    struct Case {
        int parameter, speed, tempo;
    };
    const Case cases[] = {{0x00, 6, 50}, {0x01, 1, 50}, {0x03, 3, 50}, {0x20, 32, 50}, {0x21, 6, 13}, {0x7D, 6, 50}, {0xFF, 6, 102}};
    for (const Case& c : cases) {
        Playing song(songWith({{0, {0, 0, 0xF, c.parameter}}}, 2));
        song.engine.render16(1);
        EXPECT_EQ(c.speed, song.channel->speed()) << std::hex << c.parameter;
        EXPECT_EQ(c.tempo, song.channel->tempo()) << std::hex << c.parameter;
    }
}

TEST(ModuleEffects, SongFlowCommands)
{
    struct Case {
        const char* name;
        std::vector<int> orders;
        Cells cells;   // on track 1
        long frames;   // heard before the song ends, the row that ends it not counted
    };
    const Case cases[] = {
        {"two patterns", {0, 0}, {}, rowsToFrames(127)},   // the row that ends the song is never heard
        {"break to row 10", {0, 1}, {{0, {0, 0, 0xD, 0x10}}}, rowsToFrames(1 + 53)},
        {"break past the end", {0}, {{5, {0, 0, 0xD, 0x00}}}, rowsToFrames(5)},
        {"jump forward", {0, 1, 2}, {{0, {0, 0, 0xB, 2}}}, rowsToFrames(1 + 63)},
        {"jump back ends", {0, 1}, {{64 + 3, {0, 0, 0xB, 0}}}, rowsToFrames(64 + 3)},
        {"jump to itself ends", {0}, {{7, {0, 0, 0xB, 0}}}, rowsToFrames(7)},
        {"pattern loop", {0}, {{0, {0, 0, 0xE, 0x60}}, {1, {0, 0, 0xE, 0x62}}}, rowsToFrames(2 * 3 + 61)},
        {"pattern delay", {0}, {{0, {0, 0, 0xE, 0xE2}}}, rowsToFrames(63 + 2)},
        {"speed 3", {0}, {{0, {0, 0, 0xF, 3}}}, rowsToFrames(31.5)},
        // 44100 * 65536 / (256 * 13) / 256 samples per tick.
        {"tempo 13", {0}, {{0, {0, 0, 0xF, 0x21}}}, 63L * 6 * 3392},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.frames, Playing(songWith(c.cells, 1, c.orders)).framesToEnd(), 64) << c.name;
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
    EXPECT_EQ(-1, Playing(toneModule({0, 0}), true).framesToEnd(rowsToFrames(300)));
    Playing song(songWith({{64 + 3, {0, 0, 0xB, 0}}}, 1, {0, 1}), true);   // a jump back loops
    song.playRows(64 + 4);
    EXPECT_FALSE(song.channel->isStopped());
    EXPECT_EQ(0, song.channel->order());
    EXPECT_EQ(0, song.channel->row());
}

// Slides, tone portamento and volume commands: the track's period or volume after some rows.
TEST(ModuleEffects, SlidesAndVolumeCommands)
{
    struct Case {
        Cell first, second;
        int rows;
        int hssTrack::*field;
        int expected;
    };
    const Cell none = {0, 0, 0, 0};
    const Cell note = {1, 428, 0, 0};
    int hssTrack::*const period = &hssTrack::period;
    int hssTrack::*const volume = &hssTrack::volume;
    const Case cases[] = {
        {{1, 113, 1, 0xFF}, none, 1, period, 13},   // portamento up stops at 13
        {{1, 856, 2, 0xFF}, none, 1, period, 1712},   // and down at 1712
        {{1, 428, 1, 4}, none, 1, period, 428 - 5 * 4},
        {{1, 428, 2, 3}, none, 1, period, 428 + 15},
        {note, {0, 214, 3, 0x40}, 2, period, 214},
        {note, {0, 214, 3, 0x10}, 2, period, 428 - 80},
        {note, {0, 856, 3, 0x30}, 2, period, 428 + 5 * 0x30},
        {note, {0, 856, 3, 0xFF}, 2, period, 856},
        {{1, 428, 0xC, 0x20}, none, 1, volume, 32},
        {{1, 428, 0xC, 0x50}, none, 1, volume, 64},
        {{1, 428, 0xA, 0x04}, none, 1, volume, 64 - 20},
        {{1, 428, 0xA, 0x0F}, none, 1, volume, 0},
        {{2, 428, 0xA, 0x30}, none, 1, volume, 25},
        {{1, 428, 0xE, 0xB3}, none, 1, volume, 61},
        {{1, 428, 0xE, 0xA3}, none, 1, volume, 64},
        {{1, 428, 0x6, 0x02}, none, 1, volume, 64 - 10},
        {{1, 428, 0x5, 0x01}, none, 1, volume, 64 - 5},
    };
    for (const Case& c : cases) {
        Playing song(songWith({{0, c.first}, {1, c.second}}, 0));
        song.playRows(c.rows);
        EXPECT_EQ(c.expected, song.track0().*c.field) << std::hex << c.first.effect << " " << c.first.parameter << " "
                                                      << c.second.effect << " " << c.second.parameter;
    }
}

TEST(ModuleEffects, PortamentoWithVolumeSlideNeitherStrikesNorAimsAtItsNote)
{
    Playing song(songWith({{0, {1, 428, 0, 0}}, {1, {1, 320, 5, 0x01}}}, 0));
    song.playRows(1);
    const int64_t position = song.track0().position;
    song.playRows(1, ROW_FRAMES - 1);
    EXPECT_EQ(428, song.track0().period);
    EXPECT_EQ(0, song.track0().portamentoTarget);
    EXPECT_GT(song.track0().position, position);   // not restarted
    EXPECT_EQ(64 - 5, song.track0().volume);
}

TEST(ModuleEffects, ArpeggioAndVibratoBendThePitchNotThePeriod)
{
    const int16_t* periods = hssPeriodTable();
    Playing song(songWith({{0, {1, 428, 0, 0x47}}}, 0));
    hssSpeaker& speaker = song.engine.speaker;
    const int note = speaker.nearestNote(428);
    song.engine.render16(1);
    for (int period : {428, int(periods[note + 4]), int(periods[note + 7]), 428}) {
        EXPECT_EQ(speaker.stepForPeriod(period), song.track0().step) << period;
        song.engine.render16(882);
    }

    Playing wobble(songWith({{0, {1, 428, 4, 0x88}}}, 0));
    wobble.engine.render16(882 * 2 + 1);
    // Second tick: position 8 of the half sine, depth 8.
    EXPECT_EQ(428, wobble.track0().period);
    EXPECT_EQ(wobble.engine.speaker.stepForPeriod(428 + 180 * 8 / 128), wobble.track0().step);
}

TEST(ModuleEffects, PeriodsSnapToTheFinetuneRow)
{
    const int16_t* periods = hssPeriodTable();
    EXPECT_EQ(1712, periods[0]);
    EXPECT_EQ(856, periods[12]);
    EXPECT_EQ(113, periods[47]);
    ModuleBuilder builder;
    builder.setSample(1, std::vector<int8_t>(1000, 1), 64, 3);
    builder.setCell(0, 0, 0, {1, 430, 0, 0});   // nearest note 428, finetune +3
    Playing song(builder);
    song.engine.render16(1);
    EXPECT_EQ(3 * 84 + 24, song.track0().noteIndex);
    EXPECT_EQ(periods[3 * 84 + 24], song.track0().period);
    EXPECT_LT(song.track0().period, 428);
}

TEST(ModuleChannel, PositionLengthPanAndVolume)
{
    Playing song(songWith({{0, {1, 428, 0xC, 40}}}, 0, {0, 0, 0}));
    hssMusicChannel& channel = *song.channel;
    EXPECT_EQ(3 * 64, channel.getLength());
    channel.setPosition(64 + 10);
    EXPECT_EQ(74, channel.getPosition());
    channel.setPosition(3 * 64);
    EXPECT_EQ(74, channel.getPosition());
    channel.setPan(0);
    EXPECT_EQ(64 + 63, channel.track(0).pan);
    EXPECT_EQ(192 - 63, channel.track(1).pan);
    channel.setPan(999);
    EXPECT_EQ(255, channel.pan());
    EXPECT_EQ(64, channel.track(2).pan);
    EXPECT_EQ(192, channel.track(3).pan);

    channel.setPosition(0);
    song.engine.render16(1);
    channel.setVolume(32);   // every track rescales
    EXPECT_EQ(20, song.track0().level);
    song.engine.speaker.setMasterMusicLevel(32);
    EXPECT_EQ(10, song.track0().level);
    EXPECT_EQ(10 * 100, song.engine.render16(30)[29]);
}
