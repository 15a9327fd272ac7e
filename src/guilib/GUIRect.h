// Integer rectangles and points of the GUI library: placement, clipping and hit tests.
#pragma once

#include <algorithm>
#include <cstdint>

namespace guilib {

struct GUIPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct GUIRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(int32_t px, int32_t py) const
    {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
    bool containsRect(const GUIRect& r) const
    {
        return r.x >= x && r.y >= y && r.x + r.width <= x + width && r.y + r.height <= y + height;
    }
    bool intersects(const GUIRect& r) const { return !intersection(r).isEmpty(); }
    // An empty intersection has width and height 0.
    GUIRect intersection(const GUIRect& r) const
    {
        int32_t left = std::max(x, r.x);
        int32_t top = std::max(y, r.y);
        int32_t right = std::min(x + width, r.x + r.width);
        int32_t bottom = std::min(y + height, r.y + r.height);
        if (right <= left || bottom <= top)
            return { left, top, 0, 0 };
        return { left, top, right - left, bottom - top };
    }
    bool operator==(const GUIRect& r) const
    {
        return x == r.x && y == r.y && width == r.width && height == r.height;
    }
    bool operator!=(const GUIRect& r) const { return !(*this == r); }
};

// Anchor flags: bits 0-1 horizontal (0 left, 1 right, 2 centre), bits 2-3 vertical (0 top,
// 4 bottom, 8 centre). The offset of the anchor point inside a box of the given size.
inline int32_t anchorOffsetX(int32_t anchor, int32_t width)
{
    switch (anchor & 3) {
    case 1: return width;
    case 2: return width >> 1;
    default: return 0;
    }
}

inline int32_t anchorOffsetY(int32_t anchor, int32_t height)
{
    switch (anchor & 12) {
    case 4: return height;
    case 8: return height >> 1;
    default: return 0;
    }
}

} // namespace guilib
