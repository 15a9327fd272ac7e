// The random generator against the classic 48-bit generator's known values.
#include <gtest/gtest.h>

#include "util/DRandom.h"

using namespace vela::lang;
using namespace vela::util;

TEST(Random, KnownSequenceAndNarrowDrawsAreTheTopBits)
{
    // The first draws of the classic 48-bit generator seeded with 42.
    DRandomPtr classic = new DRandom(42);
    for (int32_t value : {-1170105035, 234785527, -1360544799, 205897768})
        EXPECT_EQ(classic->nextInt(), value);
    DRandomPtr zero = new DRandom(0x5DEECE66D); // scrambles to the state 0
    EXPECT_EQ(zero->next(32), 0);
    EXPECT_EQ(zero->getState(), 11u);
    DRandomPtr a = new DRandom(7), b = new DRandom(7);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(b->next(8), static_cast<int32_t>(static_cast<uint32_t>(a->next(32)) >> 24));
}

