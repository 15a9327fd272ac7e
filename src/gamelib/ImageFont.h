// A bitmap font: up to six pages, each a strip of glyphs in one image plus a data file.
#pragma once

#include "gamelib/ImageFont.ptr"
#include "gamelib/ImageFontArray.ptr"
#include "lang/DArray2d.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/lcdui/DImage.h"

namespace gamelib {

class ImageFont : public vela::lang::DObject {
public:
    static constexpr int32_t MAX_PAGES = 6;

    ImageFont();

    // Loads pages 0, 1, … until a page image or its data is missing or damaged; the pages
    // before stay.
    void load(const vela::lang::DStringPtr& name);
    // The height of page 0; 0 for a font without pages.
    int32_t getHeight() const;
    int32_t stringWidth(const vela::lang::DStringPtr& s) const;
    // Anchors: 1 centres and 8 right-aligns horizontally; 0x40 centres and 0x20 bottom-aligns
    // vertically. Text wholly above or below the screen is skipped.
    void drawString(const vela::microedition::lcdui::DGraphicsPtr& g,
        const vela::lang::DStringPtr& s, int32_t x, int32_t y, int32_t anchor) const;

    vela::lang::DPtr<vela::microedition::lcdui::DImageArray> pages;
    vela::lang::DintArray2dPtr offsets;
    vela::lang::DbyteArray2dPtr widths;
    vela::lang::DStringArrayPtr characters;
    int32_t spacing = 0;
    int32_t pageCount = 0;

private:
    struct Glyph {
        int32_t page;
        int32_t index;
    };
    // False when no page holds the character.
    bool findGlyph(char16_t c, Glyph& glyph) const;
    bool searchPages(char16_t c, Glyph& glyph) const;
    bool readPage(int32_t page, const vela::lang::DStringPtr& name);
    int32_t spaceAdvance() const;

    // Glyphs of the first 256 characters, found once at load: page * 128 + index, or -1.
    static constexpr int32_t LATIN_CHARACTERS = 256;
    static constexpr int32_t PAGE_STRIDE = 128;
    int16_t latinGlyphs[LATIN_CHARACTERS];
};

class ImageFontArray : public vela::lang::DObjectArrayOf<ImageFont> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace gamelib
