// Sprite sets: atlas packing and the description file as the game reads it.
#include "GameReaders.h"
#include "SpriteSet.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

static Canvas block(int w, int h, uint32_t colour)
{
    Canvas c(w, h);
    c.fill(rgb(colour));
    return c;
}

TEST(SpriteSet, DescriptionsThatEndEarlyOrPointNowhereAreRejected)
{
    SpriteSet set(rgb(0));
    set.addStill(block(3, 3, 0xABCDEF));
    Bytes bin = set.pack(32).description;
    EXPECT_THROW(readSpriteSet(Bytes(bin.begin(), bin.end() - 1)), std::runtime_error);
    Bytes extra = bin;
    extra.push_back(0);
    EXPECT_THROW(readSpriteSet(extra), std::runtime_error);
    Bytes badImage = bin;
    badImage[2 + 8 + 2 + 2 + 2 + 4 + 1] = 9;  // the part's image index
    EXPECT_THROW(readSpriteSet(badImage), std::runtime_error);
    EXPECT_THROW(set.pack(2), std::runtime_error) << "a picture wider than the atlas";
}
