// Tests of DRandom: the generator step, seeding and the tick-count seed.
#include <gtest/gtest.h>

#include "lang/HostHooks.h"
#include "util/DRandom.h"

using namespace vela::lang;
using namespace vela::util;

TEST(Random, ZeroStateGivesZeroThenElevenAndKnownSequence)
{
    DRandomPtr random = new DRandom(0x5DEECE66D); // scrambles to the state 0
    EXPECT_EQ(random->getState(), 0u);
    EXPECT_EQ(random->next(32), 0);
    EXPECT_EQ(random->getState(), 11u);
    // The first draws of the classic 48-bit generator seeded with 42.
    DRandomPtr classic = new DRandom(42);
    for (int32_t value : { -1170105035, 234785527, -1360544799, 205897768 })
        EXPECT_EQ(classic->nextInt(), value);
}

TEST(Random, FewerBitsAreTheTopBitsAndStateRoundTrips)
{
    DRandomPtr a = new DRandom(7), b = new DRandom(7);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(b->next(8), static_cast<int32_t>(static_cast<uint32_t>(a->next(32)) >> 24));
    DRandomPtr copy = new DRandom(0);
    copy->setState(a->getState());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(copy->nextInt(), a->nextInt());
}

TEST(Random, GeneratorsOfTheSameMillisecondAgree)
{
    host::setTickSource([]() -> uint64_t { return 123456; });
    DRandomPtr first = new DRandom, second = new DRandom, explicitSeed = new DRandom(123456);
    host::setTickSource(nullptr);
    EXPECT_EQ(first->getState(), (123456 ^ 0x5DEECE66Dull) & ((1ull << 48) - 1));
    for (int i = 0; i < 100; ++i) {
        int32_t value = first->nextInt();
        EXPECT_EQ(second->nextInt(), value);
        EXPECT_EQ(explicitSeed->nextInt(), value);
    }
}
