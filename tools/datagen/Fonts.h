// Bitmap fonts: glyph strips rendered from a TrueType face, with their page data files.
#pragma once

#include "Bytes.h"
#include "Canvas.h"
#include "Png.h"

#include <string>
#include <vector>

namespace datagen {

struct FontStyle {
    std::string facePath;
    int pixelSize;
    uint32_t fillTop, fillBottom;  // vertical gradient of the letters
    uint32_t outline;
    float outlineRadius;
};

struct FontPage {
    Canvas strip;
    std::u32string characters;  // glyph j is characters[j]
    std::vector<int> widths;
    int spacing;
};

constexpr int GLYPHS_PER_PAGE = 96;  // the format allows 127; shorter strips stay small
constexpr int MAX_PAGES = 6;

// Pages for the characters (a space is added first: glyph 0 of page 0 gives the space width).
std::vector<FontPage> renderFont(const FontStyle& style, const std::u32string& characters);
Bytes encodePageData(const FontPage& page);
// Letters that differ only by their accent, each family led by the bare letter ("eéèêë", ...):
// a font must keep them apart.
std::vector<std::u32string> accentFamilies();

struct ParsedPage {
    std::u32string characters;
    std::vector<int> widths;
    int spacing;
};
ParsedPage parsePageData(const Bytes& data);  // throws std::runtime_error on short or bad data

}  // namespace datagen
