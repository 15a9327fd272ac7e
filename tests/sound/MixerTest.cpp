// Mixer arithmetic on small hand-checked buffers: silence, levels, pans, steps and clamping.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

using namespace soundtest;

namespace {

hssSound soundOf(const Bytes& file)
{
    hssSound sound;
    EXPECT_EQ(HSS_OK, sound.load(file.data(), file.size()));
    return sound;
}

hssSound mono16(const std::vector<int16_t>& samples, int rate = 44100)
{
    return soundOf(makeWave(pcmFormat(1, rate, 16), pcm16(samples)));
}

}

TEST(MixerSilence, NoActiveChannelGivesSilenceOfTheFormat)
{
    MemoryEngine eightBit(22050, 8, 0);
    Bytes out = eightBit.render(100);
    EXPECT_EQ(Bytes(100, 0x80), out);
    MemoryEngine sixteenBit(22050, 16, 1);
    EXPECT_EQ(std::vector<int16_t>(200, 0), sixteenBit.render16(100));
    // A finished sound leaves silence behind it.
    hssSound sound = mono16({1000, 1000}, 22050);
    sixteenBit.speaker.playSound(&sound);
    std::vector<int16_t> mixed = sixteenBit.render16(4);
    EXPECT_EQ((std::vector<int16_t>{500, 500, 500, 500, 0, 0, 0, 0}), mixed);
}

TEST(MixerSounds, LevelsAndPansFollowTheFixedPointRules)
{
    struct Case {
        int stereoOutput;
        int pan;
        int level;
        bool stereoSample;
        std::vector<int16_t> expected;   // first output frame
    };
    // Samples: mono 1000; stereo left 1000, right -2000. The sound sum is shifted by 7.
    const Case cases[] = {
        {0, 128, 64, false, {500}},
        {0, 128, 64, true, {-500}},
        {0, 10, 32, false, {250}},
        {1, 128, 64, false, {500, 500}},
        {1, 128, 64, true, {500, -1000}},
        {1, 0, 64, false, {1000, 0}},
        {1, 255, 64, false, {7, 992}},
        {1, 64, 64, true, {-750, -250}},
        {1, 192, 32, false, {125, 375}},
    };
    for (const Case& c : cases) {
        MemoryEngine engine(44100, 16, c.stereoOutput);
        hssSound sound = c.stereoSample ? soundOf(makeWave(pcmFormat(2, 44100, 16), pcm16({1000, -2000})))
                                        : mono16({1000});
        sound.pan = c.pan;
        sound.level = c.level;
        ASSERT_GE(engine.speaker.playSound(&sound), 0);
        std::vector<int16_t> out = engine.render16(1);
        EXPECT_EQ(c.expected, out) << "stereo out " << c.stereoOutput << " pan " << c.pan;
    }
}

TEST(MixerSounds, NegativeSumsShiftArithmetically)
{
    MemoryEngine engine(44100, 16, 0);
    hssSound sound = mono16({-1001});
    engine.speaker.playSound(&sound);
    EXPECT_EQ(-501, engine.render16(1)[0]);
}

TEST(MixerSounds, EightBitSamplesAndOutput)
{
    MemoryEngine sixteen(44100, 16, 0);
    hssSound sound = soundOf(makeWave(pcmFormat(1, 44100, 8), Bytes{0xC0, 0x00, 0x80}));
    sixteen.speaker.playSound(&sound);
    EXPECT_EQ((std::vector<int16_t>{8192, -16384, 0}), sixteen.render16(3));

    MemoryEngine eight(44100, 8, 0);
    eight.speaker.playSound(&sound);
    EXPECT_EQ((Bytes{128 + 32, 128 - 64, 128}), eight.render(3));
}

TEST(MixerSounds, StepResamplesBySampleRate)
{
    MemoryEngine engine(44100, 16, 0);
    hssSound half = mono16({200, 400, 600}, 22050);
    engine.speaker.playSound(&half);
    EXPECT_EQ((std::vector<int16_t>{100, 100, 200, 200, 300, 300, 0}), engine.render16(7));

    hssSound twice = mono16({200, 400, 600, 800}, 88200);
    engine.speaker.playSound(&twice);
    EXPECT_EQ((std::vector<int16_t>{100, 300, 0}), engine.render16(3));
}

TEST(MixerSounds, LoopingWrapsAndEndStopsTheChannel)
{
    MemoryEngine engine(44100, 16, 0);
    hssSound sound = mono16({200, 400, 600});
    sound.loop = true;
    int id = engine.speaker.playSound(&sound);
    EXPECT_EQ((std::vector<int16_t>{100, 200, 300, 100, 200, 300, 100}), engine.render16(7));
    engine.speaker.channel(id)->setLoop(false);
    engine.render16(3);
    EXPECT_TRUE(engine.speaker.channel(id)->isStopped());
}

TEST(MixerSounds, PausedChannelsAreSkippedAndKeepTheirPlace)
{
    MemoryEngine engine(44100, 16, 0);
    hssSound sound = mono16({200, 400, 600});
    hssChannel* channel = engine.speaker.channel(engine.speaker.playSound(&sound));
    engine.render16(1);
    channel->setPaused(true);
    EXPECT_EQ((std::vector<int16_t>{0, 0}), engine.render16(2));
    channel->setPaused(false);
    EXPECT_EQ((std::vector<int16_t>{200, 300}), engine.render16(2));
}

TEST(MixerClamping, OutputSaturatesAtTheFormatLimits)
{
    for (int16_t value : {int16_t(32767), int16_t(-32768)}) {
        MemoryEngine sixteen(44100, 16, 0);
        MemoryEngine eight(44100, 8, 0);
        hssSound loud = mono16({value});
        for (int i = 0; i < 4; ++i) {
            sixteen.speaker.playSound(&loud);
            eight.speaker.playSound(&loud);
        }
        EXPECT_EQ(value, sixteen.render16(1)[0]);
        EXPECT_EQ(value > 0 ? 255 : 0, eight.render(1)[0]);
    }
}

static hssMusic constantModule(int tracks, int8_t value, int volume = 64)
{
    ModuleBuilder builder(tracks, tracks == 4 ? "M.K." : (std::to_string(tracks) + "CHN").c_str());
    builder.setSample(1, std::vector<int8_t>(20000, value), volume);
    for (int t = 0; t < tracks; ++t)
        builder.setCell(0, 0, t, {1, 428, 0, 0});
    Bytes file = builder.build();
    hssMusic music;
    EXPECT_EQ(HSS_OK, music.load(file.data(), file.size()));
    return music;
}

TEST(MixerMusic, TrackLevelsAndSeparation)
{
    hssMusic music = constantModule(2, 100);
    struct Case {
        int stereo, master, pan;
        std::vector<int16_t> expected;
    };
    // Pan 128 puts even tracks at 95 and odd tracks at 161; pan 255 at 64 and 192.
    const Case cases[] = {
        {0, 64, 128, {12800}},
        {0, 32, 128, {6400}},
        {1, 64, 128, {8200 + 4800, 4600 + 8000}},
        {1, 64, 255, {9600 + 3200, 3200 + 9600}},
    };
    for (const Case& c : cases) {
        MemoryEngine engine(44100, 16, c.stereo);
        engine.speaker.setMasterMusicLevel(c.master);
        music.pan = c.pan;
        ASSERT_EQ(0, engine.speaker.playMusic(&music));
        EXPECT_EQ(c.expected, engine.render16(1)) << c.stereo << " " << c.master << " " << c.pan;
    }
}

TEST(MixerMusic, ManyLoudTracksClamp)
{
    hssMusic music = constantModule(8, 127);
    MemoryEngine engine(44100, 16, 0);
    engine.speaker.playMusic(&music);
    EXPECT_EQ(32767, engine.render16(1)[0]);
    hssMusic quiet = constantModule(8, -128);
    MemoryEngine eight(44100, 8, 0);
    eight.speaker.playMusic(&quiet);
    EXPECT_EQ(0, eight.render(1)[0]);
}

TEST(MixerMusic, MusicAndSoundSumsCombine)
{
    hssMusic music = constantModule(4, 10, 16);   // 4 tracks x 16 x 10
    hssSound sound = mono16({1000});
    MemoryEngine engine(44100, 16, 0);
    engine.speaker.playMusic(&music);
    engine.speaker.playSound(&sound);
    EXPECT_EQ(640 + 500, engine.render16(1)[0]);
}
