// The drawing context where the test card cannot show it: clips that empty or leave the
// surface, alpha blending at its limits, and source rows and array bounds of clipped transfers.
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Graphics, ClipRectIntersectsAndAnEmptyCutStaysUndrawableUntilSetClip)
{
    Canvas c;
    c.g->translate(3, 2);
    c.g->setClip(-5, -4, 10, 30); // surface space: (-2, -2) to (8, 28)
    EXPECT_EQ(c.clip(), (Rect{-3, -2, 8, 16})) << "cut to the surface, reported untranslated";
    c.g->translate(-3, -2);
    c.g->setClip(2, 2, 10, 10);
    c.g->clipRect(5, 0, 20, 6);
    EXPECT_EQ(c.clip(), (Rect{5, 2, 7, 4}));
    c.g->clipRect(0, 0, 3, 3);
    EXPECT_EQ(c.clip(), (Rect{0, 0, 0, 0})) << "an empty cut resets the clip to the whole surface";
    c.g->clipRect(3, 4, 5, 30); // cuts the whole surface, but drawing stays off
    EXPECT_EQ(c.clip(), (Rect{3, 4, 0, 0}));
    c.g->setColor(0);
    c.g->fillRect(0, 0, 20, 16);
    EXPECT_EQ(c.count(0), 0);
    c.g->setClip(0, 0, 1, 1);
    c.g->fillRect(0, 0, 20, 16);
    EXPECT_EQ(c.count(0), 1);
}

TEST(Graphics, ClippedTransfersReadTheRightSourceAndStayInsideArraysAndSurfaces)
{
    Canvas c(4, 4);
    lang::DintArrayPtr argb = new lang::DintArray(32);
    for (int i = 0; i < 32; ++i)
        argb[i] = i << 3; // blue i after conversion
    c.g->setClip(1, 1, 2, 2);
    c.g->drawRGB(argb, 1, 8, -1, -1, 4, 4, false); // source (x, y) at 1 + 8 y + x
    EXPECT_EQ((std::vector<int>{c.at(1, 1), c.at(2, 1), c.at(1, 2)}),
              (std::vector<int>{1 + 8 * 2 + 2, 1 + 8 * 2 + 3, 1 + 8 * 3 + 2}));
    EXPECT_EQ(c.count(WHITE), 12);
    lang::DintArrayPtr small = new lang::DintArray(8);
    for (auto [offset, alpha, outside] : {std::tuple{4, false, true}, {-1, true, true}, {0, false, false}})
        EXPECT_EQ(lang::catchKind(lang::ArrayIndexOutOfBoundsException,
                                  [&] { Canvas().g->drawRGB(small, offset, 4, 0, 0, 4, 2, alpha); }),
                  outside) << offset;
    // Characters ignore the clip but never leave the surface.
    Canvas text(30, 30);
    text.g->setColor(0);
    text.g->setClip(0, 0, 1, 1);
    EXPECT_EQ(text.g->drawChar(u'W', 10, 10), DFont::getDefaultFont()->charWidth(u'W'));
    EXPECT_GT(text.count(0), 3);
    text.g->drawChar(u'W', -3, -5);
    text.g->drawChar(u'W', 1000, 1000);
    EXPECT_TRUE(lang::catchKind(lang::NullPointerException, [&] { text.g->drawString(nullptr, 0, 0, 0); }));
}

} // namespace
