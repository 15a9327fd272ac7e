// Rasterizer: fills, lines and blits cut to the clip at every edge, and the key colour.
#include "host/Raster.h"

#include <gtest/gtest.h>

using host::ClipRect;
using host::Surface;

namespace {

const uint16_t C = 0x1234;

int count(const Surface& s, uint16_t colour)
{
    return int(std::count(s.pixels.begin(), s.pixels.end(), colour));
}

TEST(Raster, FillIsCutToTheClipAtEveryEdge)
{
    const struct { const char* name; int x, y, w, h; ClipRect clip; int expected; } cases[] = {
        {"inside", 2, 2, 3, 3, {0, 0, 10, 8}, 9},
        {"off the left", -2, 1, 4, 2, {0, 0, 10, 8}, 4},
        {"off the top", 1, -3, 2, 4, {0, 0, 10, 8}, 2},
        {"off the right", 8, 0, 5, 1, {0, 0, 10, 8}, 2},
        {"off the bottom", 0, 6, 1, 5, {0, 0, 10, 8}, 2},
        {"clip left and top", 0, 0, 4, 4, {2, 3, 10, 8}, 2},
        {"clip right and bottom", 0, 0, 10, 8, {0, 0, 3, 2}, 6},
        {"clip beyond the surface", -5, -5, 100, 100, {-10, -10, 100, 100}, 80},
        {"zero width", 1, 1, 0, 3, {0, 0, 10, 8}, 0},
        {"negative height", 1, 1, 3, -3, {0, 0, 10, 8}, 0},
        {"huge size", 9, 7, 0x7FFFFFFF, 0x7FFFFFFF, {0, 0, 10, 8}, 1},
        {"empty clip", 0, 0, 10, 8, {4, 4, 4, 8}, 0},
    };
    for (const auto& c : cases) {
        Surface s(10, 8, 0);
        host::fillRect(s, c.clip, c.x, c.y, c.w, c.h, C);
        EXPECT_EQ(count(s, C), c.expected) << c.name;
    }
    Surface s(6, 5, 0);
    host::fillRect(s, ClipRect::of(s), 1, 2, 3, 2, C);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(s.row(y)[x] == C, x >= 1 && x < 4 && y >= 2 && y < 4) << x << "," << y;
}

TEST(Raster, LinesIncludeBothEndsInEveryDirection)
{
    const int ends[][4] = {{0, 0, 7, 0}, {7, 0, 0, 0}, {3, 0, 3, 6}, {3, 6, 3, 0},
                           {0, 0, 6, 6}, {6, 6, 0, 0}, {0, 6, 7, 2}, {7, 2, 0, 6}};
    for (const auto& e : ends) {
        Surface s(8, 7, 0);
        host::drawLine(s, ClipRect::of(s), e[0], e[1], e[2], e[3], C);
        EXPECT_TRUE(s.row(e[1])[e[0]] == C && s.row(e[3])[e[2]] == C);
        int longest = std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1])) + 1;
        EXPECT_EQ(count(s, C), longest) << "one pixel per step of the longer axis";
    }
}

TEST(Raster, LinesAreCutToTheClipWithoutMovingThem)
{
    Surface whole(10, 10, 0), cut(10, 10, 0);
    host::drawLine(whole, ClipRect::of(whole), -5, 1, 14, 8, C);
    ClipRect clip{2, 2, 7, 7};
    host::drawLine(cut, clip, -5, 1, 14, 8, C);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(cut.row(y)[x], clip.contains(x, y) ? whole.row(y)[x] : 0) << x << "," << y;
    Surface far(10, 10, 0); // far-away ends draw nothing, or only what crosses, and return
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
    for (auto [x, y] :
         {std::pair<int, int>{1, 1}, {-2, 0}, {0, -2}, {4, 0}, {0, 3}, {-3, -2}, {5, 4}, {-10, 0}, {100, 100}})
        expectBlits(small, 6, 5, ClipRect{1, 1, 5, 4}, x, y);
    Surface wide(37, 3); // rows longer than any block the blits may copy at once
    uint32_t seed = 7;
    for (uint16_t& p : wide.pixels) {
        seed = seed * 1103515245 + 12345;
        p = (seed >> 16) % 3 == 0 ? host::KEY_COLOUR : uint16_t(seed >> 12);
    }
    for (int x : {0, 3, -5})
        expectBlits(wide, 40, 4, ClipRect{0, 0, 40, 4}, x, 1);
    expectBlits(wide, 37, 5, ClipRect{0, 0, 37, 5}, 0, 1);
}

} // namespace
