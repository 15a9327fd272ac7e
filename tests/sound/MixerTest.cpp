// Mixer arithmetic on small buffers worked out by hand: levels, pans, clamping and the music sums.
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
    hssMusic loud = constantModule(8, 127);
    MemoryEngine engine(44100, 16, 0);
    engine.speaker.playMusic(&loud);
    EXPECT_EQ(32767, engine.render16(1)[0]);
}

