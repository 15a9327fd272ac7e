// Bitmap fonts: page loading, glyph lookup order, measuring, anchors and the off-screen skip.
#include "GameLibTestSupport.h"

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "gamelib/ImageFont.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

#include <numeric>

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImage;
using vela::microedition::lcdui::DImagePtr;

namespace {

const int HEIGHT = 5;
const uint16_t WHITE = 0xFFFF;

// A page strip: each glyph filled with its own colour (glyph j of page p: 0x1000 * (p + 1) + j).
std::string pageImage(int page, const std::vector<int>& widths)
{
    host::Surface strip(std::accumulate(widths.begin(), widths.end(), 0), HEIGHT);
    int x = 0;
    for (size_t j = 0; j < widths.size(); ++j)
        for (int dx = 0; dx < widths[j]; ++dx, ++x)
            for (int y = 0; y < HEIGHT; ++y)
                strip.row(y)[x] = uint16_t(0x1000 * (page + 1) + j);
    return pngBytes(strip);
}

std::string pageData(int spacing, const std::vector<std::pair<std::string, int>>& glyphs)
{
    Bytes b;
    b.u8(int(glyphs.size())).u8(spacing);
    for (const auto& glyph : glyphs)
        b.utf(glyph.first).u8(glyph.second);
    return b.str();
}

class ImageFontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Page 3 has data but no image, so loading stops after page 2.
        resources.openArchive({
            {"img/f_0.png", pageImage(0, {3, 4})}, {"f_0", pageData(1, {{"A", 3}, {"B", 4}})},
            {"img/f_1.png", pageImage(1, {2, 6})}, {"f_1", pageData(1, {{"C", 2}, {"B", 6}})},
            {"img/f_2.png", pageImage(2, {5})}, {"f_2", pageData(2, {{"C", 5}})},
            {"f_3", pageData(1, {{"D", 1}})},
        });
        Resources::setSearchPath(DStringPtr(new DString(u"img/")));
        font->load(new DString(u"f"));
        GameContext::get().screenHeight = 20;
        target = DImage::createImage(30, 20);
        g = target->getGraphics();
    }
    void TearDown() override { GameContext::reset(); }
    int32_t width(const char16_t* s) { return font->stringWidth(new DString(s)); }
    uint16_t at(int x, int y) { return target->surface().row(y)[x]; }
    // The columns of row y that hold glyph colours, as one string of page digits.
    std::string row(int y)
    {
        std::string cells;
        for (int x = 0; x < target->getWidth(); ++x) {
            uint16_t p = at(x, y);
            cells += p == WHITE ? '.' : char('a' + (p >> 12) - 1);
        }
        return cells;
    }

    TestResources resources;
    ImageFontPtr font = new ImageFont();
    DImagePtr target;
    DGraphicsPtr g;
};

}

TEST_F(ImageFontTest, LoadsPagesUntilTheFirstMissingImageAndMeasures)
{
    EXPECT_EQ(3, font->pageCount);
    EXPECT_EQ(2, font->spacing);
    EXPECT_EQ(HEIGHT, font->getHeight());

    struct Case { const char16_t* s; int32_t width; };
    const Case cases[] = {
        {u"", 0},
        {u"A", 3 + 2},
        {u"  ", 2 * (3 + 2)},
        {u"B", 4 + 2},    // page 0 before page 1
        {u"C", 2 + 2},    // page 1 before page 2
        {u"AZD", 3 + 2},  // Z nowhere; D only on the page that was not loaded
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.width, width(c.s)) << DString(c.s).toUtf8();
}

TEST_F(ImageFontTest, DrawsEachGlyphFromItsPageAndSkipsMissingOnes)
{
    font->drawString(g, new DString(u"AZ C"), 1, 0, 0);
    EXPECT_EQ(".aaa.......bb.................", row(0));
    EXPECT_EQ(0x2000, at(11, 4));
    EXPECT_EQ(20, g->getClipHeight());
}

TEST_F(ImageFontTest, AnchorsCentreAndAlignToTheBottom)
{
    // HCENTER | BOTTOM at (w/2, h): "A" is 5 wide with its spacing, so it starts at 15 - 2.
    font->drawString(g, new DString(u"A"), 15, 20, 0x01 | 0x20);
    EXPECT_EQ(".............aaa..............", row(19));
    EXPECT_EQ(std::string(30, '.'), row(14));
    font->drawString(g, new DString(u"A"), 30, 0, 0x08);
    EXPECT_EQ(0x1000, at(25, 0));
    font->drawString(g, new DString(u"A"), 0, 10, 0x40);
    EXPECT_EQ(0x1000, at(0, 8));
    EXPECT_EQ(WHITE, at(0, 7));
    // Text whose top is at the screen height or whose bottom is above the screen is skipped.
    font->drawString(g, new DString(u"A"), 0, 20, 0);
    font->drawString(g, new DString(u"A"), 0, -1 - HEIGHT, 0);
    GameContext::get().screenHeight = 30;
    font->drawString(g, new DString(u"B"), 0, 15, 0);
    EXPECT_EQ(0x1001, at(0, 19));
    EXPECT_EQ(WHITE, at(0, 14));
}

TEST(ImageFontLoad, MissingOrDamagedPageDataEndsTheFont)
{
    struct Case { const char* what; std::string page1Data; };
    const Case cases[] = {
        {"missing", ""},
        {"negative glyph count", Bytes().u8(0xFF).u8(0).str()},
        {"truncated", Bytes().u8(3).u8(0).utf("X").str()},
        {"bad text", Bytes().u8(1).u8(0).s16(1).u8(0x80).u8(1).str()},
    };
    for (const Case& c : cases) {
        TestResources resources;
        std::map<std::string, std::string> members = {
            {"g_0.png", pageImage(0, {3})}, {"g_0", pageData(0, {{"A", 3}})},
            {"g_1.png", pageImage(1, {3})}, {"g_2.png", pageImage(2, {3})}, {"g_2", pageData(0, {{"C", 3}})},
        };
        if (!c.page1Data.empty())
            members["g_1"] = c.page1Data;
        resources.openArchive(members);
        ImageFontPtr font = new ImageFont();
        font->load(new DString(u"/g"));
        EXPECT_EQ(1, font->pageCount) << c.what;
        EXPECT_EQ(3, font->stringWidth(new DString(u"AC"))) << c.what;
    }
}

TEST(FontTable, LoadsTheFourFontsAndDrawsWithTheCurrentOne)
{
    TestResources resources;
    resources.openArchive({{"menu_0.png", pageImage(0, {3})}, {"menu_0", pageData(0, {{"A", 3}})},
        {"game_0.png", pageImage(0, {7})}, {"game_0", pageData(1, {{"A", 7}})}});
    Fonts::loadFonts(new DString());
    EXPECT_EQ(0, Fonts::currentFont());
    EXPECT_EQ(3, Fonts::stringWidth(new DString(u"A")));
    Fonts::setCurrentFont(Fonts::GAME);
    EXPECT_EQ(8, Fonts::stringWidth(new DString(u"A")));
    Fonts::setCurrentFont(Fonts::SCORE);
    EXPECT_EQ(0, Fonts::height());
    EXPECT_EQ(0, Fonts::stringWidth(new DString(u"A")));
    Fonts::release();
}
