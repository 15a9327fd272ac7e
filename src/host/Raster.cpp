// The software rasterizer on RGB565 surfaces.
#include "host/Raster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Fills an area already cut to the surface: the first row by value, the others copied from it.
static void fillArea(Surface& dst, const ClipRect& r, uint16_t colour)
{
    if (r.empty())
        return;
    uint16_t* first = dst.row(r.top) + r.left;
    std::fill(first, first + (r.right - r.left), colour);
    size_t bytes = size_t(r.right - r.left) * sizeof(uint16_t);
    for (int yy = r.top + 1; yy < r.bottom; ++yy)
        std::memcpy(dst.row(yy) + r.left, first, bytes);
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

// One row of a keyed blit, eight pixels at a time where the processor allows.
static void keyedRow(uint16_t* d, const uint16_t* s, int n, uint16_t key)
{
    int i = 0;
#ifdef __SSE2__
    const __m128i keys = _mm_set1_epi16(short(key));
    for (; i + 8 <= n; i += 8) {
        __m128i from = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        __m128i to = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        __m128i skip = _mm_cmpeq_epi16(from, keys);
        __m128i merged = _mm_or_si128(_mm_and_si128(skip, to), _mm_andnot_si128(skip, from));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), merged);
    }
#endif
    for (; i < n; ++i)
        if (s[i] != key)
            d[i] = s[i];
}

void blitKeyed(Surface& dst, const ClipRect& clip, const Surface& src, int x, int y, uint16_t key)
{
    ClipRect r = blitArea(dst, clip, src, x, y);
    if (r.empty())
        return;
    int n = r.right - r.left;
    for (int yy = r.top; yy < r.bottom; ++yy)
        keyedRow(dst.row(yy) + r.left, src.row(yy - y) + (r.left - x), n, key);
}

void blitOpaque(Surface& dst, const ClipRect& clip, const Surface& src, int x, int y)
{
    ClipRect r = blitArea(dst, clip, src, x, y);
    if (r.empty())
        return;
    size_t bytes = size_t(r.right - r.left) * sizeof(uint16_t);
    if (x == 0 && r.left == 0 && src.width == dst.width && r.right == dst.width) { // whole rows: one block
        std::memcpy(dst.row(r.top), src.row(r.top - y), bytes * size_t(r.bottom - r.top));
        return;
    }
    for (int yy = r.top; yy < r.bottom; ++yy)
        std::memcpy(dst.row(yy) + r.left, src.row(yy - y) + (r.left - x), bytes);
}

} // namespace host
