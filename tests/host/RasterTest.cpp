// Rasterizer edge cases the test card does not reach: far-away and clipped lines, blits cut at
// every edge of the clip, and rows longer than any block a blit copies at once.
#include "host/Raster.h"

#include <gtest/gtest.h>

#include <algorithm>

using host::ClipRect;
using host::Surface;

namespace {

const uint16_t C = 0x1234;

int count(const Surface& s, uint16_t colour)
{
    return int(std::count(s.pixels.begin(), s.pixels.end(), colour));
}

TEST(Raster, LinesAreCutToTheClipWithoutMovingThemAndFarEndsDrawOnlyWhatCrosses)
{
    Surface whole(10, 10, 0), cut(10, 10, 0);
    host::drawLine(whole, ClipRect::of(whole), -5, 1, 14, 8, C);
    ClipRect clip{2, 2, 7, 7};
    host::drawLine(cut, clip, -5, 1, 14, 8, C);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(cut.row(y)[x], clip.contains(x, y) ? whole.row(y)[x] : 0) << x << "," << y;
    Surface far(10, 10, 0);
    host::drawLine(far, ClipRect::of(far), -2000000000, -5, 2000000000, -5, C);
    host::drawLine(far, ClipRect::of(far), 20, -2000000000, 20, 2000000000, C);
    EXPECT_EQ(count(far, C), 0);
    host::drawLine(far, ClipRect::of(far), -2000000000, 3, 2000000000, 3, C);
    EXPECT_EQ(count(far, C), 10);
}

// Blits the source both ways at (x, y) and checks every destination pixel.
void expectBlits(const Surface& src, int w, int h, ClipRect clip, int x, int y)
{
    Surface keyed(w, h, C), opaque(w, h, C);
    host::blitKeyed(keyed, clip, src, x, y, host::KEY_COLOUR);
    host::blitOpaque(opaque, clip, src, x, y);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) {
            bool inside = clip.contains(xx, yy) && src.contains(xx - x, yy - y);
            uint16_t s = inside ? src.row(yy - y)[xx - x] : C;
            EXPECT_EQ(keyed.row(yy)[xx], s == host::KEY_COLOUR ? C : s) << x << "," << y << " at " << xx << "," << yy;
            EXPECT_EQ(opaque.row(yy)[xx], s) << x << "," << y << " at " << xx << "," << yy;
        }
}

TEST(Raster, BlitsSkipOrCopyTheKeyColourAndAreCutAtEveryEdge)
{
    Surface small(4, 3);
    for (int i = 0; i < 12; ++i)
        small.pixels[i] = i % 3 == 0 ? host::KEY_COLOUR : uint16_t(100 + i);
    for (auto [x, y] : {std::pair<int, int>{-2, 0}, {0, -2}, {4, 0}, {0, 3}, {-3, -2}, {5, 4}, {100, 100}})
        expectBlits(small, 6, 5, ClipRect{1, 1, 5, 4}, x, y);
    Surface wide(37, 3); // rows longer than any block the blits may copy at once
    uint32_t seed = 7;
    for (uint16_t& p : wide.pixels) {
        seed = seed * 1103515245 + 12345;
        p = (seed >> 16) % 3 == 0 ? host::KEY_COLOUR : uint16_t(seed >> 12);
    }
    for (int x : {0, 3, -5})
        expectBlits(wide, 40, 4, ClipRect{0, 0, 40, 4}, x, 1);
}

} // namespace
