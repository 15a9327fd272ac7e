// Module playback: row timing, speed and tempo, song flow effects and per-tick effects.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssStatus.h"
#include "sound/hssTables.h"

#include <gtest/gtest.h>

using namespace soundtest;

namespace {

const int ROW_FRAMES = 6 * 882;   // speed 6 at 50 ticks per second, 44100 Hz

// A module whose instrument 1 is a long constant sample of value 100 after the customary
// two silent bytes (which a track with an instrument but no note keeps playing).
ModuleBuilder toneModule(const std::vector<int>& orders = {0})
{
    ModuleBuilder builder;
    builder.setOrders(orders);
    std::vector<int8_t> tone(60000, 100);
    tone[0] = tone[1] = 0;
    builder.setSample(1, tone);
    return builder;
}

struct Playing {
    hssMusic music;
    MemoryEngine engine{44100, 16, 0, 1, 8};
    hssMusicChannel* channel = nullptr;

    explicit Playing(const ModuleBuilder& builder, bool loop = false)
    {
        Bytes file = builder.build();
        EXPECT_EQ(HSS_OK, music.load(file.data(), file.size()));
        music.loop = loop;
        EXPECT_EQ(0, engine.speaker.playMusic(&music));
        channel = static_cast<hssMusicChannel*>(engine.speaker.channel(0));
    }

    // Frames played until the song stops, or -1 past `limit`.
    long framesToEnd(long limit = 200L * ROW_FRAMES)
    {
        const int chunk = 64;
        long frames = 0;
        while (frames < limit) {
            std::vector<int16_t> out = engine.render16(chunk);
            if (channel->isStopped())
                return frames + chunk;
            frames += chunk;
        }
        return -1;
    }

    // Plays whole rows: the first row lasts one frame longer than the others.
    void playRows(int rows, int framesPerRow = ROW_FRAMES) { engine.render16(rows * framesPerRow + 1); }
};

long rowsToFrames(double rows, int framesPerRow = ROW_FRAMES)
{
    return static_cast<long>(rows * framesPerRow);
}

}

TEST(ModuleTiming, RowsLastSpeedTimesSamplesPerTick)
{
    ModuleBuilder builder = toneModule();
    builder.setCell(0, 0, 0, {1, 428, 0, 0});
    builder.setCell(0, 1, 0, {0, 0, 0xC, 0});
    Playing song(builder);
    std::vector<int16_t> out = song.engine.render16(ROW_FRAMES + 2);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(6400, out[20]);
    EXPECT_EQ(6400, out[ROW_FRAMES]);
    EXPECT_EQ(0, out[ROW_FRAMES + 1]);
}

TEST(ModuleTiming, SongEndsAfterItsRowsWithoutLoop)
{
    Playing once(toneModule({0, 0}));
    long frames = once.framesToEnd();
    // Reading the last row ends the song, so that row is never heard.
    EXPECT_NEAR(rowsToFrames(127), frames, 64);
    Playing looping(toneModule({0, 0}), true);
    EXPECT_EQ(-1, looping.framesToEnd(rowsToFrames(300)));
}

TEST(ModuleEffects, SpeedAndTempoCommands)
{
    struct Case {
        int parameter, speed, tempo;
    };
    const Case cases[] = {{0x00, 6, 50}, {0x01, 1, 50}, {0x03, 3, 50}, {0x20, 32, 50}, {0x21, 6, 13}, {0x7D, 6, 50}, {0xFF, 6, 102}};
    for (const Case& c : cases) {
        ModuleBuilder builder = toneModule();
        builder.setCell(0, 0, 2, {0, 0, 0xF, c.parameter});
        Playing song(builder);
        song.engine.render16(1);
        EXPECT_EQ(c.speed, song.channel->speed()) << std::hex << c.parameter;
        EXPECT_EQ(c.tempo, song.channel->tempo()) << std::hex << c.parameter;
    }
}

TEST(ModuleEffects, TempoThirteenSlowsTheSong)
{
    ModuleBuilder builder = toneModule();
    builder.setCell(0, 0, 0, {0, 0, 0xF, 0x21});
    Playing song(builder);
    // 44100 * 65536 / (256 * 13) / 256 samples per tick.
    EXPECT_NEAR(63L * 6 * 3392, song.framesToEnd(64L * 6 * 4000), 64);
}

TEST(ModuleEffects, SongFlowCommands)
{
    struct Case {
        const char* name;
        std::vector<int> orders;
        std::vector<std::pair<int, Cell>> cells;   // (pattern * 64 + row, cell on track 1)
        double rows;   // heard before the song ends, the row that ends it not counted
    };
    const Case cases[] = {
        {"break to row 10", {0, 1}, {{0, {0, 0, 0xD, 0x10}}}, 1 + 53},
        {"break past the end", {0}, {{5, {0, 0, 0xD, 0x00}}}, 5},
        {"jump forward", {0, 1, 2}, {{0, {0, 0, 0xB, 2}}}, 1 + 63},
        {"jump back ends", {0, 1}, {{64 + 3, {0, 0, 0xB, 0}}}, 64 + 3},
        {"jump to itself ends", {0}, {{7, {0, 0, 0xB, 0}}}, 7},
        {"pattern loop", {0}, {{0, {0, 0, 0xE, 0x60}}, {1, {0, 0, 0xE, 0x62}}}, 2 * 3 + 61},
        {"pattern delay", {0}, {{0, {0, 0, 0xE, 0xE2}}}, 63 + 2},
        {"speed 3", {0}, {{0, {0, 0, 0xF, 3}}}, 31.5},
    };
    for (const Case& c : cases) {
        ModuleBuilder builder = toneModule(c.orders);
        for (const auto& cell : c.cells)
            builder.setCell(cell.first / 64, cell.first % 64, 1, cell.second);
        Playing song(builder);
        EXPECT_NEAR(rowsToFrames(c.rows), song.framesToEnd(), 64) << c.name;
    }
}

TEST(ModuleEffects, JumpBackLoopsWhenTheModuleLoops)
{
    ModuleBuilder builder = toneModule({0, 1});
    builder.setCell(1, 3, 1, {0, 0, 0xB, 0});
    Playing song(builder, true);
    song.playRows(64 + 4);
    EXPECT_FALSE(song.channel->isStopped());
    EXPECT_EQ(0, song.channel->order());
    EXPECT_EQ(0, song.channel->row());
}

TEST(ModuleEffects, LoopingSongReturnsToTheRestartOrder)
{
    for (int restart : {1, 127, 5}) {
        ModuleBuilder builder = toneModule({0, 0, 0});
        builder.setOrders({0, 0, 0}, restart);
        Playing song(builder, true);
        song.playRows(3 * 64);
        EXPECT_EQ(restart == 1 ? 1 : 0, song.channel->order()) << restart;
        EXPECT_EQ(0, song.channel->row());
    }
}

TEST(ModuleEffects, PortamentoStopsAtThePeriodLimits)
{
    struct Case {
        int period, effect, parameter, expected;
    };
    const Case cases[] = {{113, 1, 0xFF, 13}, {856, 2, 0xFF, 1712}, {428, 1, 4, 428 - 5 * 4}, {428, 2, 3, 428 + 15}};
    for (const Case& c : cases) {
        ModuleBuilder builder = toneModule();
        builder.setCell(0, 0, 0, {1, c.period, c.effect, c.parameter});
        Playing song(builder);
        song.playRows(1);
        EXPECT_EQ(c.expected, song.channel->track(0).period) << c.effect << " " << c.parameter;
    }
}

TEST(ModuleEffects, TonePortamentoReachesItsTargetWithoutOvershoot)
{
    struct Case {
        int target, speed, expected;
    };
    const Case cases[] = {{214, 0x40, 214}, {214, 0x10, 428 - 80}, {856, 0x30, 428 + 5 * 0x30}, {856, 0xFF, 856}};
    for (const Case& c : cases) {
        ModuleBuilder builder = toneModule();
        builder.setCell(0, 0, 0, {1, 428, 0, 0});
        builder.setCell(0, 1, 0, {0, c.target, 3, c.speed});
        Playing song(builder);
        song.playRows(2);
        EXPECT_EQ(c.expected, song.channel->track(0).period) << c.target << " " << c.speed;
    }
}

TEST(ModuleEffects, VolumeCommands)
{
    struct Case {
        int effect, parameter, expected;
    };
    const Case cases[] = {
        {0xC, 0x20, 32}, {0xC, 0x50, 64}, {0xA, 0x04, 64 - 20}, {0xA, 0x0F, 0}, {0xE, 0xB3, 61}, {0xE, 0xA3, 64},
        {0x6, 0x02, 64 - 10}, {0x5, 0x01, 64 - 5},
    };
    for (const Case& c : cases) {
        ModuleBuilder builder = toneModule();
        builder.setCell(0, 0, 0, {1, 428, c.effect, c.parameter});
        Playing song(builder);
        song.playRows(1);
        EXPECT_EQ(c.expected, song.channel->track(0).volume) << std::hex << c.effect << " " << c.parameter;
    }
    ModuleBuilder up = toneModule();
    up.setSample(2, std::vector<int8_t>(1000, 1), 10);
    up.setCell(0, 0, 0, {2, 428, 0xA, 0x30});
    Playing song(up);
    song.playRows(1);
    EXPECT_EQ(25, song.channel->track(0).volume);
}

TEST(ModuleEffects, NoteCutAndNoteDelayActOnTheirTick)
{
    ModuleBuilder cut = toneModule();
    cut.setCell(0, 0, 0, {1, 428, 0xE, 0xC2});
    Playing cutSong(cut);
    std::vector<int16_t> out = cutSong.engine.render16(3 * 882);
    EXPECT_EQ(6400, out[2 * 882 - 1]);
    EXPECT_EQ(0, out[2 * 882]);

    ModuleBuilder delay = toneModule();
    delay.setCell(0, 0, 0, {1, 428, 0xE, 0xD3});
    Playing delaySong(delay);
    out = delaySong.engine.render16(4 * 882);
    EXPECT_EQ(0, out[3 * 882 - 1]);
    EXPECT_EQ(6400, out[3 * 882 + 20]);
}

TEST(ModuleEffects, NoteCutSilencesTheLevelUntilTheNextRow)
{
    ModuleBuilder builder = toneModule();
    builder.setCell(0, 0, 0, {1, 428, 0xE, 0xC1});
    builder.setCell(0, 2, 0, {0, 0, 0xC, 0x20});
    builder.setCell(0, 3, 0, {0, 0, 0xE, 0xC1});
    builder.setCell(0, 5, 0, {0, 0, 0xE, 0xC0});
    Playing song(builder);
    std::vector<int16_t> out = song.engine.render16(7 * ROW_FRAMES + 100);
    EXPECT_EQ(0, out[1000]);
    EXPECT_EQ(6400, out[ROW_FRAMES + 100]);
    EXPECT_EQ(3200, out[2 * ROW_FRAMES + 100]);
    EXPECT_EQ(0, out[3 * ROW_FRAMES + 1000]);
    EXPECT_EQ(3200, out[4 * ROW_FRAMES + 100]);
    EXPECT_EQ(0, out[5 * ROW_FRAMES + 100]);   // a cut at tick 0 acts at once
    EXPECT_EQ(32, song.channel->track(0).volume);
    EXPECT_EQ(3200, out[6 * ROW_FRAMES + 100]);
}

TEST(ModuleEffects, PortamentoWithVolumeSlideNeitherStrikesNorAimsAtItsNote)
{
    ModuleBuilder builder = toneModule();
    builder.setCell(0, 0, 0, {1, 428, 0, 0});
    builder.setCell(0, 1, 0, {1, 320, 5, 0x01});
    Playing song(builder);
    song.playRows(1);
    const int64_t position = song.channel->track(0).position;
    song.playRows(1, ROW_FRAMES - 1);
    EXPECT_EQ(428, song.channel->track(0).period);
    EXPECT_EQ(0, song.channel->track(0).portamentoTarget);
    EXPECT_GT(song.channel->track(0).position, position);   // not restarted
    EXPECT_EQ(64 - 5, song.channel->track(0).volume);
}

TEST(ModuleEffects, SampleOffsetStartsInsideTheSample)
{
    ModuleBuilder builder;
    std::vector<int8_t> ramp(4096);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<int8_t>(i / 256);
    builder.setSample(1, ramp);
    builder.setCell(0, 0, 0, {1, 428, 9, 0x05});
    builder.setCell(0, 1, 0, {1, 428, 9, 0x00});   // reuses 5
    builder.setCell(0, 2, 0, {0, 0, 9, 0x02});     // moves the playing note too
    builder.setCell(0, 3, 0, {0, 0, 9, 0x00});
    Playing song(builder);
    std::vector<int16_t> out = song.engine.render16(3 * ROW_FRAMES + 2);
    EXPECT_EQ(64 * 5, out[0]);
    EXPECT_EQ(64 * 5, out[ROW_FRAMES + 1]);
    EXPECT_EQ(64 * 2, out[2 * ROW_FRAMES + 1]);
    EXPECT_EQ(64 * 2, out[3 * ROW_FRAMES + 1]);
}

TEST(ModuleEffects, ArpeggioAndVibratoBendThePitchNotThePeriod)
{
    const int16_t* periods = hssPeriodTable();
    ModuleBuilder arpeggio = toneModule();
    arpeggio.setCell(0, 0, 0, {1, 428, 0, 0x47});
    Playing song(arpeggio);
    const int note = song.engine.speaker.nearestNote(428);
    song.engine.render16(1);
    EXPECT_EQ(song.engine.speaker.stepForPeriod(428), song.channel->track(0).step);
    song.engine.render16(882);
    EXPECT_EQ(song.engine.speaker.stepForPeriod(periods[note + 4]), song.channel->track(0).step);
    song.engine.render16(882);
    EXPECT_EQ(song.engine.speaker.stepForPeriod(periods[note + 7]), song.channel->track(0).step);
    song.engine.render16(882);
    EXPECT_EQ(song.engine.speaker.stepForPeriod(428), song.channel->track(0).step);

    ModuleBuilder vibrato = toneModule();
    vibrato.setCell(0, 0, 0, {1, 428, 4, 0x88});
    Playing wobble(vibrato);
    wobble.engine.render16(882 * 2 + 1);
    // Second tick: position 8 of the half sine, depth 8.
    EXPECT_EQ(428, wobble.channel->track(0).period);
    EXPECT_EQ(wobble.engine.speaker.stepForPeriod(428 + 180 * 8 / 128), wobble.channel->track(0).step);
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
    const hssTrack& track = song.channel->track(0);
    EXPECT_EQ(3 * 84 + 24, track.noteIndex);
    EXPECT_EQ(periods[3 * 84 + 24], track.period);
    EXPECT_LT(track.period, 428);
}

TEST(ModuleChannel, PositionLengthPanAndVolume)
{
    Playing song(toneModule({0, 0, 0}));
    EXPECT_EQ(3 * 64, song.channel->getLength());
    song.channel->setPosition(64 + 10);
    EXPECT_EQ(74, song.channel->getPosition());
    song.channel->setPosition(3 * 64);
    EXPECT_EQ(74, song.channel->getPosition());
    song.channel->setPan(0);
    EXPECT_EQ(64 + 63, song.channel->track(0).pan);
    EXPECT_EQ(192 - 63, song.channel->track(1).pan);
    song.channel->setPan(999);
    EXPECT_EQ(255, song.channel->pan());
    EXPECT_EQ(64, song.channel->track(2).pan);
    EXPECT_EQ(192, song.channel->track(3).pan);
}

TEST(ModuleChannel, VolumeRescalesEveryTrack)
{
    ModuleBuilder builder = toneModule();
    builder.setCell(0, 0, 0, {1, 428, 0xC, 40});
    Playing song(builder);
    song.engine.render16(1);
    song.channel->setVolume(32);
    EXPECT_EQ(20, song.channel->track(0).level);
    song.engine.speaker.setMasterMusicLevel(32);
    EXPECT_EQ(10, song.channel->track(0).level);
    EXPECT_EQ(10 * 100, song.engine.render16(30)[29]);
}
