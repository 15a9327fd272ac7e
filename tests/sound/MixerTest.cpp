// Mixer arithmetic on small hand-checked buffers: silence, levels, pans, steps and clamping.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"

using namespace soundtest;

namespace {

using Samples = std::vector<int16_t>;

hssSound mono16(const Samples& samples, int rate = 44100)
{
    return loaded<hssSound>(mono16Wave(samples, rate));
}

// Every track plays one long constant sample.
hssMusic constantModule(int tracks, int8_t value, int volume = 64)
{
    ModuleBuilder builder(tracks, tracks == 4 ? "M.K." : std::to_string(tracks) + "CHN");
    builder.setSample(1, std::vector<int8_t>(20000, value), volume);
    for (int t = 0; t < tracks; ++t)
        builder.setCell(0, 0, t, {1, 428, 0, 0});
    return loaded<hssMusic>(builder.build());
}

}

TEST(Mixer, NoActiveChannelGivesSilenceOfTheFormat)
{
    MemoryEngine eightBit(22050, 8, 0);
    EXPECT_EQ(Bytes(100, 0x80), eightBit.render(100));
    MemoryEngine sixteenBit(22050, 16, 1);
    EXPECT_EQ(Samples(200, 0), sixteenBit.render16(100));
    hssSound sound = mono16({1000, 1000}, 22050);   // a finished sound leaves silence behind it
    sixteenBit.speaker.playSound(&sound);
    EXPECT_EQ((Samples{500, 500, 500, 500, 0, 0, 0, 0}), sixteenBit.render16(4));
}

TEST(Mixer, SoundLevelsAndPansFollowTheFixedPointRules)
{
    struct Case {
        int stereoOutput, pan, level;
        bool stereoSample;   // mono: `mono`; stereo: left 1000, right -2000
        int16_t mono;
        Samples expected;   // first output frame; the sound sum is shifted by 7
    };
    const Case cases[] = {
        {0, 128, 64, false, 1000, {500}},     {0, 128, 64, true, 0, {-500}},       {0, 10, 32, false, 1000, {250}},
        {0, 128, 64, false, -1001, {-501}},   {1, 128, 64, false, 1000, {500, 500}}, {1, 128, 64, true, 0, {500, -1000}},
        {1, 0, 64, false, 1000, {1000, 0}},   {1, 255, 64, false, 1000, {7, 992}},  {1, 64, 64, true, 0, {-750, -250}},
        {1, 192, 32, false, 1000, {125, 375}},
    };
    for (const Case& c : cases) {
        MemoryEngine engine(44100, 16, c.stereoOutput);
        hssSound sound = c.stereoSample ? loaded<hssSound>(makeWave(pcmFormat(2, 44100, 16), pcm16({1000, -2000}))) : mono16({c.mono});
        sound.pan = c.pan;
        sound.level = c.level;
        ASSERT_GE(engine.speaker.playSound(&sound), 0);
        EXPECT_EQ(c.expected, engine.render16(1)) << "stereo out " << c.stereoOutput << " pan " << c.pan << " mono " << c.mono;
    }
}

TEST(Mixer, EightBitSamplesAndOutput)
{
    hssSound sound = loaded<hssSound>(makeWave(pcmFormat(1, 44100, 8), Bytes{0xC0, 0x00, 0x80}));
    MemoryEngine sixteen(44100, 16, 0);
    sixteen.speaker.playSound(&sound);
    EXPECT_EQ((Samples{8192, -16384, 0}), sixteen.render16(3));
    MemoryEngine eight(44100, 8, 0);
    eight.speaker.playSound(&sound);
    EXPECT_EQ((Bytes{128 + 32, 128 - 64, 128}), eight.render(3));
}

TEST(Mixer, SoundStepLoopPauseAndEnd)
{
    MemoryEngine engine(44100, 16, 0);
    hssSound half = mono16({200, 400, 600}, 22050);
    engine.speaker.playSound(&half);
    EXPECT_EQ((Samples{100, 100, 200, 200, 300, 300, 0}), engine.render16(7));
    hssSound twice = mono16({200, 400, 600, 800}, 88200);
    engine.speaker.playSound(&twice);
    EXPECT_EQ((Samples{100, 300, 0}), engine.render16(3));

    hssSound looping = mono16({200, 400, 600});
    looping.loop = true;
    hssChannel* channel = engine.speaker.channel(engine.speaker.playSound(&looping));
    EXPECT_EQ((Samples{100, 200, 300, 100}), engine.render16(4));
    channel->setPaused(true);   // skipped, keeping its place
    EXPECT_EQ((Samples{0, 0}), engine.render16(2));
    channel->setPaused(false);
    channel->setLoop(false);
    EXPECT_EQ((Samples{200, 300, 0}), engine.render16(3));
    EXPECT_TRUE(channel->isStopped());
}

TEST(Mixer, OutputSaturatesAtTheFormatLimits)
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
    hssMusic loud = constantModule(8, 127);
    MemoryEngine engine(44100, 16, 0);
    engine.speaker.playMusic(&loud);
    EXPECT_EQ(32767, engine.render16(1)[0]);
    hssMusic low = constantModule(8, -128);
    MemoryEngine eight(44100, 8, 0);
    eight.speaker.playMusic(&low);
    EXPECT_EQ(0, eight.render(1)[0]);
}

TEST(Mixer, MusicTrackLevelsAndSeparation)
{
    hssMusic music = constantModule(2, 100);
    struct Case {
        int stereo, master, pan;
        Samples expected;
    };
    // Pan 128 puts even tracks at 95 and odd tracks at 161; pan 255 at 64 and 192.
    const Case cases[] = {
        {0, 64, 128, {12800}}, {0, 32, 128, {6400}}, {1, 64, 128, {8200 + 4800, 4600 + 8000}}, {1, 64, 255, {9600 + 3200, 3200 + 9600}},
    };
    for (const Case& c : cases) {
        MemoryEngine engine(44100, 16, c.stereo);
        engine.speaker.setMasterMusicLevel(c.master);
        music.pan = c.pan;
        ASSERT_EQ(0, engine.speaker.playMusic(&music));
        EXPECT_EQ(c.expected, engine.render16(1)) << c.stereo << " " << c.master << " " << c.pan;
    }
    hssMusic quiet = constantModule(4, 10, 16);   // 4 tracks x 16 x 10, plus a sound
    hssSound sound = mono16({1000});
    MemoryEngine engine(44100, 16, 0);
    engine.speaker.playMusic(&quiet);
    engine.speaker.playSound(&sound);
    EXPECT_EQ(640 + 500, engine.render16(1)[0]);
}
