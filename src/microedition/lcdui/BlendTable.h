// The product table of alpha blending: entry [v][a] = v * a for 6-bit v and 8-bit a.
#pragma once

#include <cstdint>

namespace vela::microedition::lcdui {

struct BlendTable {
    uint16_t product[64][256];
};

const BlendTable& blendTable();

// One ARGB pixel over an RGB565 pixel in 6-bit precision; the key colour stays untouched.
inline uint16_t blendOver(uint16_t dst, uint32_t argb, const BlendTable& t)
{
    if (dst == 0xF81F)
        return dst;
    uint32_t a = argb >> 24, b = 255 - a;
    uint32_t sr = (argb >> 18) & 0x3F, sg = (argb >> 10) & 0x3F, sb = (argb >> 2) & 0x3F;
    uint32_t dr = (dst >> 11) << 1, dg = (dst >> 5) & 0x3F, db = (dst & 0x1F) << 1;
    uint32_t r5 = uint32_t(t.product[dr][b] + t.product[sr][a]) >> 9;
    uint32_t g6 = uint32_t(t.product[dg][b] + t.product[sg][a]) >> 8;
    uint32_t b5 = uint32_t(t.product[db][b] + t.product[sb][a]) >> 9;
    return uint16_t(r5 << 11 | g6 << 5 | b5);
}

} // namespace vela::microedition::lcdui
