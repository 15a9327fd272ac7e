// The software rasterizer on RGB565 surfaces.
#include "host/Raster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace host {

ClipRect ClipRect::intersect(const ClipRect& o) const
{
    return ClipRect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                    std::min(bottom, o.bottom)};
}

// The clip never reaches outside the surface, whatever the caller passed.
static ClipRect safeClip(const Surface& dst, const ClipRect& clip)
{
    return clip.intersect(ClipRect::of(dst));
}

// A rectangle from a corner and a size, computed wide so that huge sizes cannot overflow.
static ClipRect box(int x, int y, long long w, long long h)
{
    auto edge = [](long long v) { return int(std::min<long long>(v, INT32_MAX)); };
    return ClipRect{x, y, edge(x + w), edge(y + h)};
}

void plot(Surface& dst, const ClipRect& clip, int x, int y, uint16_t colour)
{
    if (safeClip(dst, clip).contains(x, y))
        dst.row(y)[x] = colour;
}

// Fills an area already cut to the surface.
static void fillArea(Surface& dst, const ClipRect& r, uint16_t colour)
{
    if (r.empty())
        return;
    for (int yy = r.top; yy < r.bottom; ++yy)
        std::fill(dst.row(yy) + r.left, dst.row(yy) + r.right, colour);
}

void fillRect(Surface& dst, const ClipRect& clip, int x, int y, int w, int h, uint16_t colour)
{
    if (w > 0 && h > 0)
        fillArea(dst, safeClip(dst, clip).intersect(box(x, y, w, h)), colour);
}

void drawLine(Surface& dst, const ClipRect& clip, int x1, int y1, int x2, int y2, uint16_t colour)
{
    ClipRect r = safeClip(dst, clip);
    if (r.empty())
        return;
    if (std::max(x1, x2) < r.left || std::min(x1, x2) >= r.right || std::max(y1, y2) < r.top ||
        std::min(y1, y2) >= r.bottom)
        return; // wholly outside: skip the walk
    if (y1 == y2) { // the common case of frames and underlines: one run
        fillArea(dst, r.intersect(box(std::min(x1, x2), y1, std::llabs((long long)x2 - x1) + 1, 1)), colour);
        return;
    }
    long long dx = std::llabs((long long)x2 - x1), dy = -std::llabs((long long)y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    long long err = dx + dy;
    for (;;) {
        if (r.contains(x1, y1))
            dst.row(y1)[x1] = colour;
        if (x1 == x2 && y1 == y2)
            break;
        long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

// The part of src placed at (x, y) that survives the clip, in destination coordinates.
static ClipRect blitArea(const Surface& dst, const ClipRect& clip, const Surface& src, int x, int y)
{
    return safeClip(dst, clip).intersect(box(x, y, src.width, src.height));
}

void blitKeyed(Surface& dst, const ClipRect& clip, const Surface& src, int x, int y, uint16_t key)
{
    ClipRect r = blitArea(dst, clip, src, x, y);
    if (r.empty())
        return;
    int n = r.right - r.left;
    for (int yy = r.top; yy < r.bottom; ++yy) {
        const uint16_t* s = src.row(yy - y) + (r.left - x);
        uint16_t* d = dst.row(yy) + r.left;
        for (int i = 0; i < n; ++i) // branch-free so the compiler can vectorize it
            d[i] = s[i] == key ? d[i] : s[i];
    }
}

void blitOpaque(Surface& dst, const ClipRect& clip, const Surface& src, int x, int y)
{
    ClipRect r = blitArea(dst, clip, src, x, y);
    if (r.empty())
        return;
    size_t bytes = size_t(r.right - r.left) * sizeof(uint16_t);
    for (int yy = r.top; yy < r.bottom; ++yy)
        std::memcpy(dst.row(yy) + r.left, src.row(yy - y) + (r.left - x), bytes);
}

} // namespace host
