// RGB565 pixel surfaces: the device screen, canvas back buffers and images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace host {

// Magenta marks the pixels of an image that are not drawn.
const uint16_t KEY_COLOUR = 0xF81F;

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;

    Surface() = default;
    Surface(int w, int h, uint16_t fill = 0)
        : width(w > 0 ? w : 0), height(h > 0 ? h : 0), pixels(size_t(width) * height, fill) {}

    uint16_t* row(int y) { return pixels.data() + size_t(y) * width; }
    const uint16_t* row(int y) const { return pixels.data() + size_t(y) * width; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// 0xRRGGBB to RGB565 by truncation.
inline uint16_t toRgb565(uint32_t rgb)
{
    return uint16_t(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

// RGB565 back to 8-bit channels, replicating the high bits into the low ones.
inline void fromRgb565(uint16_t c, uint8_t rgb[3])
{
    int r = c >> 11, g = (c >> 5) & 0x3F, b = c & 0x1F;
    rgb[0] = uint8_t(r << 3 | r >> 2);
    rgb[1] = uint8_t(g << 2 | g >> 4);
    rgb[2] = uint8_t(b << 3 | b >> 2);
}

} // namespace host
