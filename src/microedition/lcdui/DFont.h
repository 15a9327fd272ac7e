// System fonts: three faces, three sizes and style bits, rendered once into character masks.
#pragma once

#include "host/GlyphRenderer.h"
#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "microedition/lcdui/DCharMask.ptr"
#include "microedition/lcdui/DFont.ptr"
#include "util/DHashtable.ptr"

#include <cstdint>
#include <memory>

namespace vela::microedition::lcdui {

class DCharMask;

class DFont : public lang::DObject {
public:
    enum { FACE_SYSTEM = 0, FACE_MONOSPACE = 32, FACE_PROPORTIONAL = 64 };
    enum { STYLE_PLAIN = 0, STYLE_BOLD = 1, STYLE_ITALIC = 2, STYLE_UNDERLINED = 4 };
    enum { SIZE_MEDIUM = 0, SIZE_SMALL = 8, SIZE_LARGE = 16 };
    static const int DPI = 96;

    ~DFont() override;

    // The same arguments always give the same object.
    static DFontPtr getFont(int32_t face, int32_t style, int32_t size);
    static DFontPtr getDefaultFont();
    // Forgets every font (at exit).
    static void releaseCache();

    int32_t charWidth(char16_t ch);
    // Throws NullPointerException for a null string.
    int32_t stringWidth(const lang::DStringPtr& s);
    int32_t getHeight() const { return height; }
    int32_t getBaselinePosition() const { return ascent; }
    int32_t getAscent() const { return ascent; }
    int32_t getDescent() const { return descent; }
    int32_t getStyle() const { return style; }
    int32_t getSize() const { return size; }

    // The mask of a character, rendered on first use; null when none can be made. Owned by
    // the font.
    DCharMask* maskOf(char16_t ch);

    // What the host renderer is asked for (face, height rule, style bits).
    static host::FontRequest requestFor(int32_t face, int32_t style, int32_t size);

private:
    DFont(int32_t face, int32_t style, int32_t size);
    DCharMask* render(char16_t ch);

    int32_t face;
    int32_t style;
    int32_t size;
    int32_t height = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    util::DHashtablePtr glyphs;
    std::unique_ptr<host::GlyphRenderer> renderer;
};

} // namespace vela::microedition::lcdui
