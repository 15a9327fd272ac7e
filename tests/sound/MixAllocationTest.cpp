// The mixer allocates nothing: global allocations are counted around busy mix calls.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "support/CountingNew.h"

using namespace soundtest;

TEST(MixAllocation, MixingMusicAndSoundsAllocatesNothing)
{
    ModuleBuilder builder(8, "8CHN");
    builder.setOrders({0, 0});
    builder.setSample(1, std::vector<int8_t>(3000, 40), 64, 0, 100, 500);
    for (int row = 0; row < 64; row += 2)
        for (int track = 0; track < 8; ++track)
            builder.setCell(0, row, track, {1, 200 + row * 8, (row / 2 + track) % 16, row});
    hssMusic music = loaded<hssMusic>(builder.build());
    hssSound sound = loaded<hssSound>(makeWave(pcmFormat(2, 22050, 16), Bytes(4000, 9)));
    music.loop = sound.loop = true;

    MemoryEngine engine(44100, 16, 1, 2, 8);
    ASSERT_GE(engine.speaker.playMusic(&music), 0);
    for (int i = 0; i < 8; ++i)
        ASSERT_GE(engine.speaker.playSound(&sound), 0);
    Bytes buffer(1323 * 4);
    long before = support::allocations.load();
    for (int i = 0; i < 200; ++i)
        engine.driver().render(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_EQ(before, support::allocations.load());
    EXPECT_FALSE(engine.speaker.channel(0)->isStopped());
}
