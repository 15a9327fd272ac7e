// Typeface: a TrueType face rendered to antialiased coverage with FreeType.
#pragma once

#include "Canvas.h"

#include <memory>
#include <string>

namespace datagen {

struct GlyphMask {
    int width = 0, height = 0;
    int left = 0, top = 0;  // bearing: offset of the mask from the pen and the baseline
    int advance = 0;        // pixels
    std::vector<uint8_t> coverage;
};

class Typeface {
public:
    Typeface(const std::string& path, int pixelSize);  // throws std::runtime_error
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    bool hasGlyph(char32_t c) const;
    GlyphMask glyph(char32_t c) const;
    int ascent() const { return ascentPixels; }
    int descent() const { return descentPixels; }  // positive, below the baseline

    int textWidth(const std::u32string& text) const;
    // Paints text with its top-left at (x, y) (the baseline at y + ascent).
    void paint(Canvas& c, const std::u32string& text, int x, int y, const Rgba& colour) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    int ascentPixels = 0, descentPixels = 0;
};

}  // namespace datagen
