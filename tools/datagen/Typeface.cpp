// FreeType binding of Typeface: grey-level rendering with hinting.
#include "Typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace datagen {

struct Typeface::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Typeface::Typeface(const std::string& path, int pixelSize) : impl(new Impl)
{
    if (FT_Init_FreeType(&impl->library) != 0)
        throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(impl->library, path.c_str(), 0, &impl->face) != 0) {
        FT_Done_FreeType(impl->library);
        throw std::runtime_error("cannot open font " + path);
    }
    FT_Set_Pixel_Sizes(impl->face, 0, FT_UInt(pixelSize));
    ascentPixels = int((impl->face->size->metrics.ascender + 63) >> 6);
    descentPixels = int((-impl->face->size->metrics.descender + 63) >> 6);
}

Typeface::~Typeface()
{
    FT_Done_Face(impl->face);
    FT_Done_FreeType(impl->library);
}

bool Typeface::hasGlyph(char32_t c) const
{
    return FT_Get_Char_Index(impl->face, FT_ULong(c)) != 0;
}

GlyphMask Typeface::glyph(char32_t c) const
{
    if (FT_Load_Char(impl->face, FT_ULong(c), FT_LOAD_RENDER) != 0)
        throw std::runtime_error("cannot render character " + std::to_string(uint32_t(c)));
    FT_GlyphSlot g = impl->face->glyph;
    GlyphMask m;
    m.width = int(g->bitmap.width), m.height = int(g->bitmap.rows);
    m.left = g->bitmap_left, m.top = g->bitmap_top;
    m.advance = int((g->advance.x + 32) >> 6);
    m.coverage.resize(size_t(m.width) * m.height);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            m.coverage[size_t(y) * m.width + x] = g->bitmap.buffer[y * g->bitmap.pitch + x];
    return m;
}

int Typeface::textWidth(const std::u32string& text) const
{
    int w = 0;
    for (char32_t c : text)
        w += glyph(c).advance;
    return w;
}

void Typeface::paint(Canvas& canvas, const std::u32string& text, int x, int y, const Rgba& colour) const
{
    for (char32_t c : text) {
        GlyphMask m = glyph(c);
        for (int j = 0; j < m.height; ++j)
            for (int i = 0; i < m.width; ++i)
                canvas.blend(x + m.left + i, y + ascentPixels - m.top + j, colour,
                             m.coverage[size_t(j) * m.width + i] / 255.0f);
        x += m.advance;
    }
}

}  // namespace datagen
