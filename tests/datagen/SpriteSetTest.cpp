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

TEST(SpriteSet, SharesEqualPicturesAndPacksThemInsideTheAtlas)
{
    SpriteSet set(rgb(0));
    int a = set.image(block(5, 7, 0xFF0000));
    int b = set.image(block(9, 3, 0x00FF00));
    EXPECT_EQ(set.image(block(5, 7, 0xFF0000)), a);
    set.add(Animation{{Frame{Part{1, 2, a, 0, false}}, Frame{Part{0, 0, b, 3, true}}}, {}});
    SpriteSet::Packed packed = set.pack(12);
    ParsedSet parsed = readSpriteSet(packed.description);
    ASSERT_EQ(parsed.rects.size(), 2u);
    for (int i : {a, b}) {
        const ParsedSet::Rect& r = parsed.rects[size_t(i)];
        ASSERT_LE(r.x + r.w, packed.atlas.width);
        ASSERT_LE(r.y + r.h, packed.atlas.height);
        EXPECT_EQ(packed.atlas.pixel(r.x, r.y), i == a ? 0xFF0000u : 0x00FF00u);
        EXPECT_EQ(packed.atlas.pixel(r.x + r.w - 1, r.y + r.h - 1), i == a ? 0xFF0000u : 0x00FF00u);
    }
    EXPECT_EQ(parsed.rects[size_t(a)].w, 5);
    const Part& mirrored = parsed.anims[0].frames[1][0];
    EXPECT_TRUE(mirrored.mirror);
    EXPECT_EQ(mirrored.mask, 3);
    EXPECT_EQ(parsed.anims[0].frames[0][0].x, 1);
}

TEST(SpriteSet, RepeatedFramesAndRectTablesAreStoredAsReferences)
{
    SpriteSet set(rgb(0));
    int a = set.image(block(2, 2, 0x123456));
    Frame f{Part{0, -1, a, 0, false}};
    Frame g{Part{0, 0, a, 0, false}};
    FrameRects r{{0, 1, 1, 4, 4}};
    set.add(Animation{{f, g, f}, {r, r, r}});
    Bytes bin = set.pack(64).description;
    // imageCount, one rectangle, animationCount, then the animation record.
    size_t at = 2 + 8 + 2;
    EXPECT_EQ(bin[at] << 8 | bin[at + 1], 3);                     // three frames, no extra values
    size_t third = at + 2 + 2 * (2 + 7);
    EXPECT_EQ(bin[third] << 8 | bin[third + 1], 0x8000);         // frame 2 repeats frame 0
    EXPECT_EQ(bin[third + 2], 1);                                 // a rect table follows
    size_t rects = third + 3;
    EXPECT_EQ(bin[rects + 12] << 8 | bin[rects + 13], 0x8000);   // rect table 1 repeats table 0
    ParsedSet parsed = readSpriteSet(bin);
    EXPECT_EQ(parsed.anims[0].frames[2][0].y, -1);
    ASSERT_EQ(parsed.anims[0].rects[2].size(), 1u);
    EXPECT_EQ(parsed.anims[0].rects[2][0].w, 4);
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
