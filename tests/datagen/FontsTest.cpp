// Bitmap font pages: the glyph strip, the page data file, and characters a face lacks.
#include "Fonts.h"

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

using namespace datagen;

static FontStyle style()
{
    return FontStyle{"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12, 0xFFFFFF, 0xDDDDDD, 0x000000, 1.0f};
}

TEST(BitmapFont, SpaceComesFirstAndWidthsCoverTheStrip)
{
    std::vector<FontPage> pages = renderFont(style(), U"BAé");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].characters, U" ABé") << "space first, then in code order, duplicates dropped";
    int total = std::accumulate(pages[0].widths.begin(), pages[0].widths.end(), 0);
    EXPECT_EQ(total, pages[0].strip.width());
    EXPECT_EQ(pages[0].spacing, 0) << "no glyph reaches into its neighbour: text ends where it is measured";
}

TEST(BitmapFont, ACharacterTheFaceLacksIsAnError)
{
    EXPECT_THROW(renderFont(style(), U"a\u4E00"), std::runtime_error);
}

