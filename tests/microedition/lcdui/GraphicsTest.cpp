// Drawing context: colour conversion, clip and translation, shapes, images, alpha transfer.
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

const uint16_t WHITE = 0xFFFF;

struct Canvas {
    explicit Canvas(int w = 20, int h = 16) : image(DImage::createImage(w, h)), g(image->getGraphics()) {}
    uint16_t at(int x, int y) const { return image->surface().row(y)[x]; }
    int count(uint16_t colour) const
    {
        int n = 0;
        for (uint16_t p : image->surface().pixels)
            n += p == colour;
        return n;
    }
    DImagePtr image;
    DGraphicsPtr g;
};

TEST(Graphics, ColourConversionTruncatesToRgb565)
{
    const struct {
        int32_t rgb;
        uint16_t expected;
    } cases[] = {
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
    const int rects[][4] = {{-10, 0, 10, 5}, {20, 0, 5, 5}, {0, -8, 5, 8}, {0, 16, 5, 5},
                            {2, 2, 0, 5},    {2, 2, 5, -1}, {30, 30, 1, 1}};
    for (const auto& r : rects) {
        Canvas c;
        c.g->setClip(r[0], r[1], r[2], r[3]);
        EXPECT_EQ(c.g->getClipWidth(), 0);
        EXPECT_EQ(c.g->getClipHeight(), 0);
        c.g->setColor(0);
        c.g->fillRect(0, 0, 20, 16);
        c.g->drawLine(0, 0, 19, 15);
        c.g->drawRect(0, 0, 5, 5);
        c.g->drawImageOpaque(DImage::createImage(3, 3), 0, 0, 0);
        c.g->drawString(new lang::DString(u"Hi"), 0, 0, 0);
        EXPECT_EQ(c.count(WHITE), 20 * 16) << r[0] << "," << r[1] << "," << r[2] << "," << r[3];
    }
}

TEST(Graphics, ClipIsCutToTheSurfaceAndReportedUntranslated)
{
    Canvas c;
    c.g->translate(3, 2);
    c.g->setClip(-5, -4, 10, 30); // surface space: (-2, -2) to (8, 28)
    EXPECT_EQ(c.g->getClipX(), -3);
    EXPECT_EQ(c.g->getClipY(), -2);
    EXPECT_EQ(c.g->getClipWidth(), 8);
    EXPECT_EQ(c.g->getClipHeight(), 16);
    c.g->setColor(0);
    c.g->fillRect(-100, -100, 1000, 1000);
    EXPECT_EQ(c.count(0), 8 * 16);
}

TEST(Graphics, ClipRectIntersectsAndAnEmptyClipStaysUndrawable)
{
    Canvas c;
    c.g->setClip(2, 2, 10, 10);
    c.g->clipRect(5, 0, 20, 6);
    EXPECT_EQ(c.g->getClipX(), 5);
    EXPECT_EQ(c.g->getClipY(), 2);
    EXPECT_EQ(c.g->getClipWidth(), 7);
    EXPECT_EQ(c.g->getClipHeight(), 4);
    c.g->clipRect(0, 0, 3, 3);
    EXPECT_EQ(c.g->getClipWidth(), 0);
    EXPECT_EQ(c.g->getClipX(), 0) << "an empty cut resets the clip to the whole surface";
    c.g->clipRect(3, 4, 5, 30); // cuts the whole surface, but drawing stays off
    EXPECT_EQ(c.g->getClipX(), 3);
    EXPECT_EQ(c.g->getClipY(), 4);
    EXPECT_EQ(c.g->getClipWidth(), 0);
    EXPECT_EQ(c.g->getClipHeight(), 0);
    c.g->setColor(0);
    c.g->fillRect(0, 0, 20, 16);
    EXPECT_EQ(c.count(0), 0);
    c.g->setClip(0, 0, 1, 1);
    c.g->fillRect(0, 0, 20, 16);
    EXPECT_EQ(c.count(0), 1) << "setClip makes it drawable again";
}

TEST(Graphics, DrawRectCoversOneMoreThanItsSize)
{
    const struct {
        int x, y, w, h, pixels;
    } cases[] = {{0, 0, 0, 0, 1}, {1, 1, 3, 2, 10}, {2, 3, 1, 1, 4}, {0, 0, 5, 0, 6}, {18, 14, 5, 5, 3}};
    for (const auto& k : cases) {
        Canvas c;
        c.g->setColor(0);
        c.g->drawRect(k.x, k.y, k.w, k.h);
        EXPECT_EQ(c.count(0), k.pixels) << k.x << "," << k.y << " " << k.w << "x" << k.h;
        EXPECT_EQ(c.at(k.x, k.y), 0);
    }
}

TEST(Graphics, TranslationMovesShapes)
{
    Canvas c;
    c.g->translate(5, 4);
    c.g->translate(-1, 1);
    EXPECT_EQ(c.g->getTranslateX(), 4);
    EXPECT_EQ(c.g->getTranslateY(), 5);
    c.g->setColor(0);
    c.g->fillRect(0, 0, 2, 1);
    c.g->drawLine(1, 2, 1, 2);
    EXPECT_EQ(c.at(4, 5), 0);
    EXPECT_EQ(c.at(5, 5), 0);
    EXPECT_EQ(c.at(5, 7), 0);
    EXPECT_EQ(c.count(0), 3);
}

TEST(Graphics, SinglePointLinesRespectTheClip)
{
    Canvas c;
    c.g->setClip(5, 5, 5, 5);
    c.g->setColor(0);
    c.g->drawLine(1, 1, 1, 1);
    EXPECT_EQ(c.count(0), 0);
    c.g->drawLine(6, 6, 6, 6);
    EXPECT_EQ(c.at(6, 6), 0);
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
    const struct {
        int anchor, left, top;
    } cases[] = {
        {0, 10, 8},
        {DGraphics::LEFT | DGraphics::TOP, 10, 8},
        {DGraphics::BASELINE, 10, 8},
        {DGraphics::HCENTER | DGraphics::VCENTER, 8, 5},
        {DGraphics::RIGHT | DGraphics::BOTTOM, 5, 1},
        {DGraphics::RIGHT | DGraphics::HCENTER | DGraphics::BOTTOM | DGraphics::VCENTER, 5, 1},
        {DGraphics::HCENTER | DGraphics::TOP, 8, 8},
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

TEST(Graphics, DrawImageSkipsTheKeyColourAndOpaqueCopiesIt)
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
}

TEST(Graphics, ImagesAreCutToTheClip)
{
    DImagePtr img = sprite(6, 6);
    Canvas c;
    c.g->setClip(2, 2, 2, 3);
    c.g->drawImageOpaque(img, 0, 0, 0);
    EXPECT_EQ(c.count(WHITE), 20 * 16 - 6);
    EXPECT_EQ(c.at(3, 4), img->surface().row(4)[3]);
}

TEST(Graphics, DrawRgbWithoutAlphaConvertsEveryPixel)
{
    Canvas c;
    lang::DintArrayPtr argb = new lang::DintArray(4);
    argb[0] = 0x00123456;
    argb[1] = int32_t(0xFFFFFFFF);
    argb[2] = 0x7F00FF00;
    argb[3] = int32_t(0x80FF00FF);
    c.g->drawRGB(argb, 0, 2, 1, 1, 2, 2, false);
    EXPECT_EQ(c.at(1, 1), 0x11AA);
    EXPECT_EQ(c.at(2, 1), 0xFFFF);
    EXPECT_EQ(c.at(1, 2), 0x07E0);
    EXPECT_EQ(c.at(2, 2), 0xF81F);
}

TEST(Graphics, AlphaBlendInSixBitPrecision)
{
    const struct {
        uint16_t dst;
        uint32_t argb;
        uint16_t expected;
        const char* why;
    } cases[] = {
        {0xFFFF, 0x00000000, 0xF7DE, "alpha 0 rounds each channel toward zero"},
        {0x0000, 0xFFFFFFFF, 0xFFDF, "alpha 255 keeps 255/256 of the source"},
        {0xF81F, 0xFF00FF00, 0xF81F, "the key colour is never drawn over"},
        {0x0000, 0x80FF0000, 0x7800, "half red over black"},
        {0x001F, 0x4000FF00, 0x01F7, "a quarter of green over blue"},
    };
    for (const auto& k : cases) {
        Canvas c(1, 1);
        c.image->surface().pixels[0] = k.dst;
        lang::DintArrayPtr argb = new lang::DintArray(1);
        argb[0] = int32_t(k.argb);
        c.g->drawRGB(argb, 0, 1, 0, 0, 1, 1, true);
        EXPECT_EQ(c.at(0, 0), k.expected) << k.why;
    }
}

TEST(Graphics, DrawRgbAdvancesTheSourceForClippedRowsAndColumns)
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
    EXPECT_EQ(c.at(0, 0), WHITE);
    EXPECT_EQ(c.count(WHITE), 12);
}

TEST(Graphics, DrawRgbOutsideTheArrayThrows)
{
    Canvas c;
    lang::DintArrayPtr argb = new lang::DintArray(8);
    EXPECT_TRUE(lang::catchKind(lang::ArrayIndexOutOfBoundsException,
                                [&] { c.g->drawRGB(argb, 4, 4, 0, 0, 4, 2, false); }));
    EXPECT_TRUE(lang::catchKind(lang::ArrayIndexOutOfBoundsException,
                                [&] { c.g->drawRGB(argb, -1, 4, 0, 0, 2, 2, true); }));
    EXPECT_FALSE(lang::catchKind(lang::ArrayIndexOutOfBoundsException,
                                 [&] { c.g->drawRGB(argb, 0, 4, 0, 0, 4, 2, false); }));
}

// The pixels a string leaves on a fresh canvas.
std::vector<uint16_t> rendered(const char16_t* text, int x, int y, int anchor)
{
    Canvas c(60, 40);
    c.g->setColor(0);
    c.g->drawString(new lang::DString(text), x, y, anchor);
    return c.image->surface().pixels;
}

TEST(Graphics, StringAnchorsShiftByWidthHeightOrAscent)
{
    DFontPtr font = DFont::getDefaultFont();
    lang::DStringPtr s = new lang::DString(u"Abc");
    int w = font->stringWidth(s), h = font->getHeight(), a = font->getBaselinePosition();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    const struct {
        int anchor, dx, dy;
    } cases[] = {
        {0, 0, 0},
        {DGraphics::LEFT | DGraphics::TOP, 0, 0},
        {DGraphics::RIGHT | DGraphics::TOP, -w, 0},
        {DGraphics::HCENTER | DGraphics::TOP, -(w >> 1), 0},
        {DGraphics::LEFT | DGraphics::RIGHT | DGraphics::TOP, 0, 0},
        {DGraphics::LEFT | DGraphics::BOTTOM, 0, -h},
        {DGraphics::LEFT | DGraphics::VCENTER, 0, -(h >> 1)},
        {DGraphics::LEFT | DGraphics::BASELINE, 0, -a},
        {DGraphics::TOP | DGraphics::BOTTOM, 0, 0},
    };
    std::vector<uint16_t> plain = rendered(u"Abc", 30, 20, 0);
    EXPECT_LT(std::count(plain.begin(), plain.end(), 0), 60 * 40) << "text has ink";
    EXPECT_GT(std::count(plain.begin(), plain.end(), 0), 5);
    for (const auto& k : cases)
        EXPECT_EQ(rendered(u"Abc", 30, 20, k.anchor), rendered(u"Abc", 30 + k.dx, 20 + k.dy, 0)) << k.anchor;
}

TEST(Graphics, CharactersIgnoreTheClipButNotTheSurface)
{
    Canvas c(30, 30);
    c.g->setColor(0);
    c.g->setClip(0, 0, 1, 1);
    int width = c.g->drawChar(u'W', 10, 10);
    EXPECT_EQ(width, DFont::getDefaultFont()->charWidth(u'W'));
    EXPECT_GT(c.count(0), 3) << "drawn outside the clip";
    Canvas edge(4, 4);
    edge.g->setColor(0);
    edge.g->drawChar(u'W', -3, -5); // half off the surface: no crash, some ink
    edge.g->drawChar(u'W', 1000, 1000);
}

TEST(Graphics, NullStringThrows)
{
    Canvas c;
    EXPECT_TRUE(lang::catchKind(lang::NullPointerException, [&] { c.g->drawString(nullptr, 0, 0, 0); }));
}

} // namespace
