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

// Anchor flags: horizontal in bits 0-1, vertical in bits 2-3. A text's alignment takes them
// too, and may also justify its lines.
enum : int32_t {
    ANCHOR_LEFT = 0, ANCHOR_RIGHT = 1, ANCHOR_HCENTER = 2, ANCHOR_JUSTIFY = 3,
    ANCHOR_TOP = 0, ANCHOR_BOTTOM = 4, ANCHOR_VCENTER = 8,
    ANCHOR_CENTER = ANCHOR_HCENTER | ANCHOR_VCENTER,
    ANCHOR_HORIZONTAL = 3, ANCHOR_VERTICAL = 12, // the bits of each direction
};

// The offset of the anchor point inside a box of the given size.
inline int32_t anchorOffsetX(int32_t anchor, int32_t width)
{
    switch (anchor & ANCHOR_HORIZONTAL) {
    case ANCHOR_RIGHT: return width;
    case ANCHOR_HCENTER: return width >> 1;
    default: return 0;
    }
}

inline int32_t anchorOffsetY(int32_t anchor, int32_t height)
{
    switch (anchor & ANCHOR_VERTICAL) {
    case ANCHOR_BOTTOM: return height;
    case ANCHOR_VCENTER: return height >> 1;
    default: return 0;
    }
}

} // namespace guilib
