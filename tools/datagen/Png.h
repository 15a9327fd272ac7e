// PNG files of the data: flattening pictures onto the transparent key colour, encoding, decoding.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

using Bytes = std::vector<uint8_t>;

// An 8-bit RGB picture as the game sees it once decoded.
struct RgbImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // 3 bytes per pixel, rows top to bottom

    uint32_t pixel(int x, int y) const;  // 0xRRGGBB
};

// The game treats magenta (RGB565 0xF81F) as transparent.
constexpr uint32_t KEY_COLOUR = 0xFF00FF;

// Pixels that are mostly transparent become the key colour; soft edges are laid on the matte.
RgbImage flattenKeyed(const Canvas& c, const Rgba& matte);
// Every pixel opaque: laid on the matte.
RgbImage flattenOpaque(const Canvas& c, const Rgba& matte);
// The colour as a 16-bit surface stores it.
uint16_t toRgb565(uint32_t rgb);

Bytes encodePng(const RgbImage& image);
// The picture as it is, transparency included (pictures for the desktop, not the game).
Bytes encodePngWithAlpha(const Canvas& c);
// Throws std::runtime_error when the bytes are not a PNG picture.
RgbImage decodePng(const Bytes& png);

}  // namespace datagen
