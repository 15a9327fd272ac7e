// Drawing context: colour conversion, clip and translation, shapes, images, alpha transfer.
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

#include <gtest/gtest.h>

#include <array>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

const uint16_t WHITE = 0xFFFF;
using Rect = std::array<int32_t, 4>;

struct Canvas {
    explicit Canvas(int w = 20, int h = 16) : image(DImage::createImage(w, h)), g(image->getGraphics()) {}
    uint16_t at(int x, int y) const { return image->surface().row(y)[x]; }
    int count(uint16_t colour) const
    {
        const auto& p = image->surface().pixels;
        return int(std::count(p.begin(), p.end(), colour));
    }
    Rect clip() const { return {g->getClipX(), g->getClipY(), g->getClipWidth(), g->getClipHeight()}; }
    DImagePtr image;
    DGraphicsPtr g;
};

TEST(Graphics, ColourConversionTruncatesToRgb565)
{
    const struct { int32_t rgb; uint16_t expected; } cases[] = {
        {0xFFFFFF, 0xFFFF}, {0x123456, 0x11AA}, {0xFF0000, 0xF800}, {0x00FF00, 0x07E0},
        {0x0000FF, 0x001F}, {0x070307, 0x0000}, {0x080408, 0x0821}, {int32_t(0xFF123456), 0x11AA},
    };
    Canvas c;
    for (const auto& k : cases) {
        c.g->setColor(k.rgb);
        EXPECT_EQ(c.g->getColor565(), k.expected) << std::hex << k.rgb;
        EXPECT_EQ(c.g->getColor(), k.rgb);
        c.g->fillRect(0, 0, 1, 1);
        EXPECT_EQ(c.at(0, 0), k.expected);
    }
}

TEST(Graphics, ClipOutsideTheSurfaceMakesDrawingANoOp)
{
    for (const Rect& r : {Rect{-10, 0, 10, 5}, {20, 0, 5, 5}, {0, -8, 5, 8}, {0, 16, 5, 5}, {2, 2, 0, 5},
                          {2, 2, 5, -1}, {30, 30, 1, 1}}) {
        Canvas c;
        c.g->setClip(r[0], r[1], r[2], r[3]);
        EXPECT_EQ(c.g->getClipWidth() | c.g->getClipHeight(), 0);
        c.g->setColor(0);
        c.g->fillRect(0, 0, 20, 16);
        c.g->drawLine(0, 0, 19, 15);
        c.g->drawRect(0, 0, 5, 5);
        c.g->drawImageOpaque(DImage::createImage(3, 3), 0, 0, 0);
        c.g->drawString(new lang::DString(u"Hi"), 0, 0, 0);
        EXPECT_EQ(c.count(WHITE), 20 * 16) << ::testing::PrintToString(r);
    }
}

TEST(Graphics, ClipIsCutToTheSurfaceReportedUntranslatedAndIntersected)
{
    Canvas c;
    c.g->translate(3, 2);
    c.g->setClip(-5, -4, 10, 30); // surface space: (-2, -2) to (8, 28)
    EXPECT_EQ(c.clip(), (Rect{-3, -2, 8, 16}));
    c.g->setColor(0);
    c.g->fillRect(-100, -100, 1000, 1000);
    EXPECT_EQ(c.count(0), 8 * 16);

    Canvas d;
    d.g->setClip(2, 2, 10, 10);
    d.g->clipRect(5, 0, 20, 6);
    EXPECT_EQ(d.clip(), (Rect{5, 2, 7, 4}));
    d.g->clipRect(0, 0, 3, 3);
    EXPECT_EQ(d.clip(), (Rect{0, 0, 0, 0})) << "an empty cut resets the clip to the whole surface";
    d.g->clipRect(3, 4, 5, 30); // cuts the whole surface, but drawing stays off
    EXPECT_EQ(d.clip(), (Rect{3, 4, 0, 0}));
    d.g->setColor(0);
    d.g->fillRect(0, 0, 20, 16);
    EXPECT_EQ(d.count(0), 0);
    d.g->setClip(0, 0, 1, 1);
    d.g->fillRect(0, 0, 20, 16);
    EXPECT_EQ(d.count(0), 1) << "setClip makes it drawable again";
}

TEST(Graphics, DrawRectCoversOneMoreThanItsSize)
{
    const struct { int x, y, w, h, pixels; } cases[] = {
        {0, 0, 0, 0, 1}, {1, 1, 3, 2, 10}, {2, 3, 1, 1, 4}, {0, 0, 5, 0, 6}, {18, 14, 5, 5, 3}};
    for (const auto& k : cases) {
        Canvas c;
        c.g->setColor(0);
        c.g->drawRect(k.x, k.y, k.w, k.h);
        EXPECT_EQ(c.count(0), k.pixels) << k.x << "," << k.y << " " << k.w << "x" << k.h;
        EXPECT_EQ(c.at(k.x, k.y), 0);
    }
}

TEST(Graphics, TranslationMovesShapesAndPointsRespectTheClip)
{
    Canvas c;
    c.g->translate(5, 4);
    c.g->translate(-1, 1);
    EXPECT_EQ(std::make_pair(c.g->getTranslateX(), c.g->getTranslateY()), std::make_pair(4, 5));
    c.g->setColor(0);
    c.g->fillRect(0, 0, 2, 1);
    c.g->drawLine(1, 2, 1, 2);
    EXPECT_TRUE(c.at(4, 5) == 0 && c.at(5, 5) == 0 && c.at(5, 7) == 0);
    EXPECT_EQ(c.count(0), 3);
    Canvas d;
    d.g->setClip(5, 5, 5, 5);
    d.g->setColor(0);
    d.g->drawLine(1, 1, 1, 1);
    EXPECT_EQ(d.count(0), 0);
    d.g->drawLine(6, 6, 6, 6);
    EXPECT_EQ(d.at(6, 6), 0);
}

DImagePtr sprite(int w, int h)
{
    DImagePtr img = DImage::createImage(w, h);
    for (size_t i = 0; i < img->surface().pixels.size(); ++i)
        img->surface().pixels[i] = i == 0 ? host::KEY_COLOUR : uint16_t(0x0100 + i);
    return img;
}

TEST(Graphics, ImageAnchorsPlaceTheTopLeftCorner)
{
    using G = DGraphics;
    const struct { int anchor, left, top; } cases[] = {
        {0, 10, 8}, {G::LEFT | G::TOP, 10, 8}, {G::BASELINE, 10, 8}, {G::HCENTER | G::VCENTER, 8, 5},
        {G::RIGHT | G::BOTTOM, 5, 1}, {G::RIGHT | G::HCENTER | G::BOTTOM | G::VCENTER, 5, 1},
        {G::HCENTER | G::TOP, 8, 8},
    };
    DImagePtr img = sprite(5, 7); // odd sizes: halves are shifted down
    for (const auto& k : cases) {
        Canvas c(30, 30);
        c.g->drawImageOpaque(img, 10, 8, k.anchor);
        EXPECT_EQ(c.at(k.left, k.top), host::KEY_COLOUR) << k.anchor;
        EXPECT_EQ(c.at(k.left + 4, k.top + 6), img->surface().pixels.back()) << k.anchor;
        EXPECT_EQ(c.count(WHITE), 30 * 30 - 35) << k.anchor;
    }
}

TEST(Graphics, DrawImageSkipsTheKeyColourOpaqueCopiesItAndBothAreClipped)
{
    DImagePtr img = sprite(3, 2);
    Canvas keyed, opaque;
    keyed.g->translate(2, 1);
    keyed.g->drawImage(img, 0, 0, 0);
    opaque.g->drawImageOpaque(img, 2, 1, 0);
    EXPECT_EQ(keyed.at(2, 1), WHITE);
    EXPECT_EQ(opaque.at(2, 1), host::KEY_COLOUR);
    EXPECT_EQ(keyed.at(4, 2), img->surface().pixels[5]);
    EXPECT_EQ(opaque.at(4, 2), img->surface().pixels[5]);
    DImagePtr big = sprite(6, 6);
    Canvas c;
    c.g->setClip(2, 2, 2, 3);
    c.g->drawImageOpaque(big, 0, 0, 0);
    EXPECT_EQ(c.count(WHITE), 20 * 16 - 6);
    EXPECT_EQ(c.at(3, 4), big->surface().row(4)[3]);
}

TEST(Graphics, DrawRgbConvertsOrBlendsInSixBitPrecision)
{
    const struct { uint16_t dst; uint32_t argb; bool alpha; uint16_t expected; const char* why; } cases[] = {
        {0xFFFF, 0x00000000, true, 0xF7DE, "alpha 0 rounds each channel toward zero"},
        {0x0000, 0xFFFFFFFF, true, 0xFFDF, "alpha 255 keeps 255/256 of the source"},
        {0xF81F, 0xFF00FF00, true, 0xF81F, "the key colour is never drawn over"},
        {0x0000, 0x80FF0000, true, 0x7800, "half red over black"},
        {0x001F, 0x4000FF00, true, 0x01F7, "a quarter of green over blue"},
        {0xFFFF, 0x00123456, false, 0x11AA, "without alpha the top byte is ignored"},
        {0x0000, 0x7F00FF00, false, 0x07E0, "green"}, {0x0000, 0xFFFFFFFF, false, 0xFFFF, "white"},
        {0x0000, 0x80FF00FF, false, 0xF81F, "even the key colour is written"},
    };
    for (const auto& k : cases) {
        Canvas c(1, 1);
        c.image->surface().pixels[0] = k.dst;
        lang::DintArrayPtr argb = new lang::DintArray(1);
        argb[0] = int32_t(k.argb);
        c.g->drawRGB(argb, 0, 1, 0, 0, 1, 1, k.alpha);
        EXPECT_EQ(c.at(0, 0), k.expected) << k.why;
    }
}

TEST(Graphics, DrawRgbAdvancesTheSourceForClippedRowsAndColumnsAndChecksTheArray)
{
    Canvas c(4, 4);
    lang::DintArrayPtr argb = new lang::DintArray(32);
    for (int i = 0; i < 32; ++i)
        argb[i] = i << 3; // blue i after conversion
    c.g->setClip(1, 1, 2, 2);
    c.g->drawRGB(argb, 1, 8, -1, -1, 4, 4, false); // source (x, y) at 1 + 8 y + x
    EXPECT_EQ(c.at(1, 1), 1 + 8 * 2 + 2);
    EXPECT_EQ(c.at(2, 1), 1 + 8 * 2 + 3);
    EXPECT_EQ(c.at(1, 2), 1 + 8 * 3 + 2);
    EXPECT_EQ(c.count(WHITE), 12);
    lang::DintArrayPtr small = new lang::DintArray(8);
    auto outOfBounds = [&](int offset, bool alpha) {
        return lang::catchKind(lang::ArrayIndexOutOfBoundsException,
                               [&] { Canvas().g->drawRGB(small, offset, 4, 0, 0, 4, 2, alpha); });
    };
    EXPECT_TRUE(outOfBounds(4, false));
    EXPECT_TRUE(outOfBounds(-1, true));
    EXPECT_FALSE(outOfBounds(0, false));
}

// The pixels a string leaves on a fresh canvas.
std::vector<uint16_t> rendered(int x, int y, int anchor)
{
    Canvas c(60, 40);
    c.g->setColor(0);
    c.g->drawString(new lang::DString(u"Abc"), x, y, anchor);
    return c.image->surface().pixels;
}

TEST(Graphics, StringAnchorsShiftByWidthHeightOrAscent)
{
    using G = DGraphics;
    DFontPtr font = DFont::getDefaultFont();
    int w = font->stringWidth(new lang::DString(u"Abc")), h = font->getHeight(), a = font->getBaselinePosition();
    ASSERT_GT(w * h, 0);
    const struct { int anchor, dx, dy; } cases[] = {
        {0, 0, 0}, {G::LEFT | G::TOP, 0, 0}, {G::RIGHT | G::TOP, -w, 0}, {G::HCENTER | G::TOP, -(w >> 1), 0},
        {G::LEFT | G::RIGHT | G::TOP, 0, 0}, {G::LEFT | G::BOTTOM, 0, -h}, {G::LEFT | G::VCENTER, 0, -(h >> 1)},
        {G::LEFT | G::BASELINE, 0, -a}, {G::TOP | G::BOTTOM, 0, 0},
    };
    std::vector<uint16_t> plain = rendered(30, 20, 0);
    EXPECT_GT(std::count(plain.begin(), plain.end(), 0), 5) << "text has ink";
    for (const auto& k : cases)
        EXPECT_EQ(rendered(30, 20, k.anchor), rendered(30 + k.dx, 20 + k.dy, 0)) << k.anchor;
}

TEST(Graphics, CharactersIgnoreTheClipButNotTheSurfaceAndNullStringsThrow)
{
    Canvas c(30, 30);
    c.g->setColor(0);
    c.g->setClip(0, 0, 1, 1);
    EXPECT_EQ(c.g->drawChar(u'W', 10, 10), DFont::getDefaultFont()->charWidth(u'W'));
    EXPECT_GT(c.count(0), 3) << "drawn outside the clip";
    c.g->drawChar(u'W', -3, -5); // half off the surface: no crash
    c.g->drawChar(u'W', 1000, 1000);
    EXPECT_TRUE(lang::catchKind(lang::NullPointerException, [&] { c.g->drawString(nullptr, 0, 0, 0); }));
}

} // namespace
