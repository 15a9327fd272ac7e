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

TEST(BitmapFont, SplitsIntoPagesOfAtMost96Glyphs)
{
    std::u32string many;
    for (char32_t c = 0x21; c < 0x7F; ++c)
        many += c;
    for (char32_t c = 0x410; c < 0x450; ++c)
        many += c;
    std::vector<FontPage> pages = renderFont(style(), many);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].characters.size(), size_t(GLYPHS_PER_PAGE));
    EXPECT_EQ(pages[0].characters.size() + pages[1].characters.size(), many.size() + 1);
    EXPECT_EQ(pages[0].strip.height(), pages[1].strip.height());
}

TEST(BitmapFont, ACharacterTheFaceLacksIsAnError)
{
    EXPECT_THROW(renderFont(style(), U"a\u4E00"), std::runtime_error);
}

TEST(BitmapFont, PageDataRoundTrips)
{
    FontPage page = renderFont(style(), U"Жx")[0];
    Bytes data = encodePageData(page);
    EXPECT_EQ(data[0], 3);
    EXPECT_EQ(int8_t(data[1]), 0);
    ParsedPage back = parsePageData(data);
    EXPECT_EQ(back.characters, page.characters);
    EXPECT_EQ(back.widths, page.widths);
    EXPECT_THROW(parsePageData(Bytes(data.begin(), data.end() - 1)), std::runtime_error);
}
