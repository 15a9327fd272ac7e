// Rasterizer: fills, lines and blits cut to the clip at every edge, and the key colour.
#include "host/Raster.h"

#include <gtest/gtest.h>

using host::ClipRect;
using host::Surface;

namespace {

const uint16_t C = 0x1234;

// How many pixels of the surface hold the colour.
int count(const Surface& s, uint16_t colour)
{
    int n = 0;
    for (uint16_t p : s.pixels)
        n += p == colour;
    return n;
}

struct FillCase {
    const char* name;
    int x, y, w, h;
    ClipRect clip;
    int expected;
};

TEST(Raster, FillIsCutToTheClipAtEveryEdge)
{
    const FillCase cases[] = {
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
    for (const FillCase& c : cases) {
        Surface s(10, 8, 0);
        host::fillRect(s, c.clip, c.x, c.y, c.w, c.h, C);
        EXPECT_EQ(count(s, C), c.expected) << c.name;
    }
}

TEST(Raster, FillCoversExactlyTheRectangle)
{
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
        EXPECT_EQ(s.row(e[1])[e[0]], C);
        EXPECT_EQ(s.row(e[3])[e[2]], C);
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
}

TEST(Raster, FarAwayLinesDrawNothingAndReturn)
{
    Surface s(10, 10, 0);
    host::drawLine(s, ClipRect::of(s), -2000000000, -5, 2000000000, -5, C);
    host::drawLine(s, ClipRect::of(s), 20, -2000000000, 20, 2000000000, C);
    EXPECT_EQ(count(s, C), 0);
    host::drawLine(s, ClipRect::of(s), -2000000000, 3, 2000000000, 3, C);
    EXPECT_EQ(count(s, C), 10);
}

TEST(Raster, PlotRespectsTheClip)
{
    Surface s(4, 4, 0);
    ClipRect clip{1, 1, 3, 3};
    host::plot(s, clip, 0, 0, C);
    host::plot(s, clip, 3, 3, C);
    host::plot(s, clip, -1, 2, C);
    EXPECT_EQ(count(s, C), 0);
    host::plot(s, clip, 2, 2, C);
    EXPECT_EQ(s.row(2)[2], C);
}

Surface pattern(int w, int h)
{
    Surface src(w, h);
    for (int i = 0; i < w * h; ++i)
        src.pixels[i] = i % 3 == 0 ? host::KEY_COLOUR : uint16_t(100 + i);
    return src;
}

TEST(Raster, KeyedBlitSkipsTheKeyColourOnly)
{
    Surface src = pattern(4, 3), dst(6, 5, C);
    host::blitKeyed(dst, ClipRect::of(dst), src, 1, 1, host::KEY_COLOUR);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            uint16_t s = src.row(y)[x];
            EXPECT_EQ(dst.row(y + 1)[x + 1], s == host::KEY_COLOUR ? C : s);
        }
    EXPECT_EQ(dst.row(0)[0], C);
}

TEST(Raster, WideBlitsMatchThePixelRule)
{
    Surface src(37, 3);
    uint32_t seed = 7;
    for (uint16_t& p : src.pixels) {
        seed = seed * 1103515245 + 12345;
        p = (seed >> 16) % 3 == 0 ? host::KEY_COLOUR : uint16_t(seed >> 12);
    }
    for (int x : {0, 3, -5}) {
        Surface keyed(40, 4, C), opaque(40, 4, C);
        host::blitKeyed(keyed, ClipRect::of(keyed), src, x, 1, host::KEY_COLOUR);
        host::blitOpaque(opaque, ClipRect::of(opaque), src, x, 1);
        for (int yy = 0; yy < 4; ++yy)
            for (int xx = 0; xx < 40; ++xx) {
                bool inside = src.contains(xx - x, yy - 1);
                uint16_t s = inside ? src.row(yy - 1)[xx - x] : C;
                EXPECT_EQ(keyed.row(yy)[xx], s == host::KEY_COLOUR ? C : s) << x << ": " << xx << "," << yy;
                EXPECT_EQ(opaque.row(yy)[xx], s) << x << ": " << xx << "," << yy;
            }
    }
    Surface same(37, 5, C); // whole rows of the same width
    host::blitOpaque(same, ClipRect::of(same), src, 0, 1);
    EXPECT_EQ(same.row(0)[0], C);
    EXPECT_TRUE(std::equal(src.pixels.begin(), src.pixels.end(), same.row(1)));
    EXPECT_EQ(same.row(4)[36], C);
}

TEST(Raster, OpaqueBlitCopiesTheKeyColourToo)
{
    Surface src = pattern(4, 3), dst(4, 3, C);
    host::blitOpaque(dst, ClipRect::of(dst), src, 0, 0);
    EXPECT_EQ(dst.pixels, src.pixels);
}

TEST(Raster, BlitsAreCutAtEveryEdge)
{
    const int places[][2] = {{-2, 0}, {0, -2}, {4, 0}, {0, 3}, {-3, -2}, {5, 4}, {-10, 0}, {100, 100}};
    Surface src = pattern(4, 3);
    for (const auto& p : places) {
        for (bool keyed : {false, true}) {
            Surface dst(6, 5, C);
            ClipRect clip{1, 1, 5, 4};
            if (keyed)
                host::blitKeyed(dst, clip, src, p[0], p[1], host::KEY_COLOUR);
            else
                host::blitOpaque(dst, clip, src, p[0], p[1]);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 6; ++x) {
                    int sx = x - p[0], sy = y - p[1];
                    uint16_t expected = C;
                    if (clip.contains(x, y) && src.contains(sx, sy)) {
                        uint16_t s = src.row(sy)[sx];
                        expected = keyed && s == host::KEY_COLOUR ? C : s;
                    }
                    EXPECT_EQ(dst.row(y)[x], expected) << p[0] << "," << p[1] << " at " << x << "," << y;
                }
        }
    }
}

} // namespace
