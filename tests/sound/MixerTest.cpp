// Mixer arithmetic on small buffers worked out by hand (levels, pans, clamping, the music sums)
// and the engine's instance limit.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"

using namespace soundtest;

namespace {

using Samples = std::vector<int16_t>;

hssSound mono16(const Samples& samples)
{
    return loaded<hssSound>(mono16Wave(samples));
}

}

TEST(Mixer, SoundLevelsAndPansFollowTheFixedPointRules)
{
    struct Case {
        int stereoOutput, pan, level;
        bool stereoSample; // mono: `mono`; stereo: left 1000, right -2000
        int16_t mono;
        Samples expected; // first output frame; the sound sum is shifted by 7
    };
    const Case cases[] = {
        {0, 128, 64, true, 0, {-500}},       {0, 10, 32, false, 1000, {250}},     {0, 128, 64, false, -1001, {-501}},
        {1, 128, 64, true, 0, {500, -1000}}, {1, 255, 64, false, 1000, {7, 992}}, {1, 64, 64, true, 0, {-750, -250}},
        {1, 192, 32, false, 1000, {125, 375}},
    };
    for (const Case& c : cases) {
        MemoryEngine engine(44100, 16, c.stereoOutput);
        hssSound sound = c.stereoSample ? loaded<hssSound>(makeWave(pcmFormat(2, 44100, 16), pcm16({1000, -2000})))
                                        : mono16({c.mono});
        sound.pan = c.pan;
        sound.level = c.level;
        ASSERT_GE(engine.speaker.playSound(&sound), 0);
        EXPECT_EQ(c.expected, engine.render16(1)) << "stereo out " << c.stereoOutput << " pan " << c.pan;
    }
}

TEST(Mixer, OutputSaturatesAtTheFormatLimits)
{
    for (int16_t value : {int16_t(32767), int16_t(-32768)}) {
        MemoryEngine sixteen(44100, 16, 0), eight(44100, 8, 0);
        hssSound loud = mono16({value});
        for (int i = 0; i < 4; ++i) {
            sixteen.speaker.playSound(&loud);
            eight.speaker.playSound(&loud);
        }
        EXPECT_EQ(value, sixteen.render16(1)[0]);
        EXPECT_EQ(value > 0 ? 255 : 0, eight.render(1)[0]);
    }
    ModuleBuilder builder(8, "8CHN"); // every track plays one long constant sample
    builder.setSample(1, std::vector<int8_t>(20000, 127));
    for (int t = 0; t < 8; ++t)
        builder.setCell(0, 0, t, {1, 428, 0, 0});
    hssMusic loud = loaded<hssMusic>(builder.build());
    MemoryEngine engine(44100, 16, 0);
    engine.speaker.playMusic(&loud);
    EXPECT_EQ(32767, engine.render16(1)[0]);
}

TEST(SpeakerChannels, InstanceLimitCountsCopiesAndTakesTheLastFreeChannel)
{
    MemoryEngine engine(44100, 16, 1, 1, 8);
    hssSound limited = mono16(Samples(100)), other = mono16(Samples(100));
    limited.instanceLimit = 2;
    EXPECT_EQ(1, engine.speaker.playSound(&other));
    EXPECT_EQ(8, engine.speaker.playSound(&limited));
    EXPECT_EQ(7, engine.speaker.playSound(&limited));
    EXPECT_EQ(HSS_NO_CHANNEL, engine.speaker.playSound(&limited));
    engine.speaker.channel(8)->setStopped(true);
    EXPECT_EQ(8, engine.speaker.playSound(&limited));
}
