// Bitmap fonts whose page data is missing or damaged end at the page before.
#include "GameLibTestSupport.h"

#include "gamelib/ImageFont.h"
#include "lang/DString.h"

#include <numeric>

using namespace vela::lang;
using namespace gamelib;

namespace {

// The picture of a page of glyphs of the given widths.
std::string pageImage(const std::vector<int>& widths)
{
    return pngBytes(host::Surface(std::accumulate(widths.begin(), widths.end(), 0), 5));
}

std::string pageData(int spacing, const std::vector<std::pair<std::string, int>>& glyphs)
{
    Bytes b;
    b.u8(int(glyphs.size())).u8(spacing);
    for (const auto& glyph : glyphs)
        b.utf(glyph.first).u8(glyph.second);
    return b.str();
}

}

TEST(ImageFontLoad, MissingOrDamagedPageDataEndsTheFont)
{
    for (auto [what, page1] : {std::pair<const char*, std::string>{"missing", ""},
                               {"negative glyph count", Bytes().u8(0xFF).u8(0).str()},
                               {"truncated", Bytes().u8(3).u8(0).utf("X").str()},
                               {"bad text", Bytes().u8(1).u8(0).s16(1).u8(0x80).u8(1).str()}}) {
        TestResources resources;
        std::map<std::string, std::string> members = {
            {"g_0.png", pageImage({3})}, {"g_0", pageData(0, {{"A", 3}})},
            {"g_1.png", pageImage({3})}, {"g_2.png", pageImage({3})}, {"g_2", pageData(0, {{"C", 3}})},
        };
        if (!page1.empty())
            members["g_1"] = page1;
        resources.openArchive(members);
        ImageFontPtr font = new ImageFont();
        font->load(new DString(u"/g"));
        EXPECT_EQ(1, font->pageCount) << what;
        EXPECT_EQ(3, font->stringWidth(new DString(u"AC"))) << what;
    }
}

