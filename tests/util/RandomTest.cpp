// Tests of DRandom: the generator step, seeding and the tick-count seed.
#include <gtest/gtest.h>

#include "lang/DSystem.h"
#include "lang/HostHooks.h"
#include "util/DRandom.h"

using namespace vela::lang;
using namespace vela::util;

TEST(Random, ZeroStateGivesZeroThenEleven)
{
    DRandomPtr random = new DRandom(0x5DEECE66D); // scrambles to the state 0
    EXPECT_EQ(random->getState(), 0u);
    EXPECT_EQ(random->next(32), 0);
    EXPECT_EQ(random->getState(), 11u);
    // 11 * 0x5DEECE66D + 11, bits 47..16.
    uint64_t expected = (11 * 0x5DEECE66Dull + 11) & ((1ull << 48) - 1);
    EXPECT_EQ(random->nextInt(), static_cast<int32_t>(static_cast<uint32_t>(expected >> 16)));
}

TEST(Random, KnownSequenceForSeed42)
{
    // The first draws of the classic 48-bit generator seeded with 42.
    DRandomPtr random = new DRandom(42);
    const int32_t expected[] = { -1170105035, 234785527, -1360544799, 205897768 };
    for (int32_t value : expected)
        EXPECT_EQ(random->nextInt(), value);
}

TEST(Random, FewerBitsAreTheTopBitsOfTheState)
{
    DRandomPtr a = new DRandom(7);
    DRandomPtr b = new DRandom(7);
    for (int i = 0; i < 10; ++i) {
        int32_t full = a->next(32);
        int32_t top = b->next(8);
        EXPECT_EQ(top, static_cast<int32_t>(static_cast<uint32_t>(full) >> 24));
    }
}

static uint64_t frozenClock()
{
    return 123456;
}

TEST(Random, SeededFromTheTickCount)
{
    host::setTickSource(frozenClock);
    DRandomPtr first = new DRandom;
    DRandomPtr second = new DRandom;
    DRandomPtr explicitSeed = new DRandom(123456);
    host::setTickSource(nullptr);
    EXPECT_EQ(first->getState(), (123456 ^ 0x5DEECE66Dull) & ((1ull << 48) - 1));
    for (int i = 0; i < 100; ++i) {
        int32_t value = first->nextInt();
        EXPECT_EQ(second->nextInt(), value);
        EXPECT_EQ(explicitSeed->nextInt(), value);
    }
}

TEST(Random, StateRoundTripsForSaving)
{
    DRandomPtr random = new DRandom(99);
    random->nextInt();
    DRandomPtr copy = new DRandom(0);
    copy->setState(random->getState());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(copy->nextInt(), random->nextInt());
}
