// System fonts and their glyph caches, with the process-wide font cache.
#include "microedition/lcdui/DFont.h"

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "microedition/lcdui/DCharMask.h"
#include "util/DHashtable.h"

#include <algorithm>

namespace vela::microedition::lcdui {

static util::DHashtablePtr& fontCache()
{
    static util::DHashtablePtr cache;
    return cache;
}

host::FontRequest DFont::requestFor(int32_t face, int32_t style, int32_t size)
{
    host::FontRequest r;
    // Unknown faces get the host's default, the system face.
    r.family = face == FACE_MONOSPACE || face == FACE_PROPORTIONAL ? host::FAMILY_MONO : host::FAMILY_SANS;
    switch (size) { // negative heights ask for the character height
    case SIZE_MEDIUM: r.pixelHeight = -11 * DPI / 72; break;
    case SIZE_SMALL: r.pixelHeight = -9 * DPI / 72; break;
    case SIZE_LARGE: r.pixelHeight = -13 * DPI / 72; break;
    default: r.pixelHeight = 13; break;
    }
    r.bold = style & STYLE_BOLD;
    r.italic = style & STYLE_ITALIC;
    r.underline = style & STYLE_UNDERLINED;
    return r;
}

DFont::DFont(int32_t face, int32_t style, int32_t size)
    : face(face), style(style), size(size), glyphs(new util::DHashtable(11, 75)),
      renderer(host::openGlyphRenderer(requestFor(face, style, size)))
{
    if (renderer) {
        height = renderer->height();
        ascent = renderer->ascent();
        descent = renderer->descent();
    }
    for (int ch = 0; ch < 256; ++ch) // Latin text never waits for the renderer
        render(char16_t(ch));
}

DFont::~DFont() = default;

DFontPtr DFont::getFont(int32_t face, int32_t style, int32_t size)
{
    util::DHashtablePtr& cache = fontCache();
    if (!cache)
        cache = new util::DHashtable(11, 75);
    int32_t key = face | style | size;
    if (lang::DObjectPtr found = cache->get(key))
        return static_cast<DFont*>(found.get());
    DFontPtr font = new DFont(face, style, size);
    cache->put(new lang::DInteger(key), font);
    return font;
}

DFontPtr DFont::getDefaultFont()
{
    return getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM);
}

void DFont::releaseCache()
{
    fontCache() = nullptr;
}

DCharMask* DFont::render(char16_t ch)
{
    host::GlyphMask glyph;
    if (!renderer || !renderer->render(ch, glyph))
        return nullptr;
    DCharMask* mask = new DCharMask(ch, glyph.width, height);
    glyphs->put(new lang::DInteger(ch), mask);
    for (int32_t y = 0; y < height && y < glyph.height; ++y)
        std::copy_n(glyph.rows.begin() + long(y) * glyph.width, glyph.width, mask->row(y));
    return mask;
}

DCharMask* DFont::maskOf(char16_t ch)
{
    if (lang::DObjectPtr found = glyphs->get(int32_t(ch)))
        return static_cast<DCharMask*>(found.get());
    return render(ch);
}

int32_t DFont::charWidth(char16_t ch)
{
    DCharMask* mask = maskOf(ch);
    return mask ? mask->width : 0;
}

int32_t DFont::stringWidth(const lang::DStringPtr& s)
{
    int32_t n = s->length(), width = 0;
    for (int32_t i = 0; i < n; ++i)
        width += charWidth(s->charAt(i));
    return width;
}

} // namespace vela::microedition::lcdui
