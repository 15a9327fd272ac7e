// The engine's instance limit: copies of a sound count, and the last free channel is taken.
#include "SoundFixtures.h"

#include "sound/hssSound.h"

using namespace soundtest;

namespace {

hssSound loadedSound(int frames = 100)
{
    return loaded<hssSound>(makeWave(pcmFormat(1, 44100, 8), Bytes(static_cast<size_t>(frames), 0x90)));
}

}

TEST(SpeakerChannels, InstanceLimitCountsCopiesAndTakesTheLastFreeChannel)
{
    MemoryEngine engine(44100, 16, 1, 1, 8);
    hssSound limited = loadedSound(), other = loadedSound();
    limited.instanceLimit = 2;
    EXPECT_EQ(1, engine.speaker.playSound(&other));
    EXPECT_EQ(8, engine.speaker.playSound(&limited));
    EXPECT_EQ(7, engine.speaker.playSound(&limited));
    EXPECT_EQ(HSS_NO_CHANNEL, engine.speaker.playSound(&limited));
    engine.speaker.channel(8)->setStopped(true);
    EXPECT_EQ(8, engine.speaker.playSound(&limited));
}

