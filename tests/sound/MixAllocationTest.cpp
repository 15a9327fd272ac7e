// The mixer allocates nothing: global allocations are counted around busy mix calls.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The replacements pair malloc with free; the compiler cannot see that they belong together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

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
    long before = allocations.load();
    for (int i = 0; i < 200; ++i)
        engine.driver().render(buffer.data(), static_cast<int>(buffer.size()));
    EXPECT_EQ(before, allocations.load());
    EXPECT_FALSE(engine.speaker.channel(0)->isStopped());
}
