// System font rendering: monochrome coverage masks of one face, style and pixel size.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace host {

enum FontFamily { FAMILY_SANS, FAMILY_MONO };

struct FontRequest {
    FontFamily family = FAMILY_SANS;
    int pixelHeight = -14; // negative: the character height; positive: the cell height
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// One character: its advance and `height` rows of `width` bytes, 0xFF where there is ink.
struct GlyphMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rows;
};

class GlyphRenderer {
public:
    virtual ~GlyphRenderer() = default;
    virtual int height() const = 0;
    virtual int ascent() const = 0;
    virtual int descent() const = 0;
    // False when no mask can be made for the character.
    virtual bool render(uint16_t ch, GlyphMask& out) = 0;
};

// The system's renderer; null when no font file can be found or opened.
std::unique_ptr<GlyphRenderer> openGlyphRenderer(const FontRequest& request);

} // namespace host
