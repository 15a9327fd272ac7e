// Bitmap font rendering: every glyph outlined, laid side by side, one strip per page.
#include "Fonts.h"

#include "ArtKit.h"
#include "Typeface.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

namespace datagen {

namespace {
struct Cell {
    Canvas picture;
    int width;
};
}  // namespace

static Cell renderGlyph(const Typeface& face, const FontStyle& style, char32_t ch, int pad, int height)
{
    GlyphMask m = face.glyph(ch);
    int inkLeft = std::min(0, m.left), inkRight = std::max(m.advance, m.left + m.width);
    int width = inkRight - inkLeft + 2 * pad;
    Canvas letters(width, height);
    Rgba top = rgb(style.fillTop), bottom = rgb(style.fillBottom);
    int penX = pad - inkLeft, baseline = pad + face.ascent();
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            int px = penX + m.left + x, py = baseline - m.top + y;
            float cover = m.coverage[size_t(y) * m.width + x] / 255.0f;
            letters.blend(px, py, mix(top, bottom, float(py) / height), cover);
        }
    if (style.outlineRadius <= 0)
        return {letters, width};
    Canvas framed = outlined(letters, style.outlineRadius, rgb(style.outline));
    int r = int(std::ceil(style.outlineRadius));
    return {framed.crop(r, r, width, height), width};
}

std::vector<FontPage> renderFont(const FontStyle& style, const std::u32string& characters)
{
    Typeface face(style.facePath, style.pixelSize);
    std::set<char32_t> unique(characters.begin(), characters.end());
    unique.erase(U' ');
    std::u32string order = U" ";
    for (char32_t c : unique) {
        if (c < 0x20)
            continue;
        if (!face.hasGlyph(c))
            throw std::runtime_error("font " + style.facePath + " has no glyph for U+" + std::to_string(uint32_t(c)));
        order += c;
    }
    if ((order.size() + kGlyphsPerPage - 1) / kGlyphsPerPage > size_t(kMaxPages))
        throw std::runtime_error("too many characters for six font pages");
    int pad = int(std::ceil(style.outlineRadius));
    int height = face.ascent() + face.descent() + 2 * pad;
    std::vector<FontPage> pages;
    for (size_t start = 0; start < order.size(); start += kGlyphsPerPage) {
        FontPage page;
        page.spacing = -2 * pad;  // neighbouring outlines overlap: letters keep the face's own spacing
        std::vector<Cell> cells;
        int total = 0;
        for (size_t i = start; i < std::min(order.size(), start + kGlyphsPerPage); ++i) {
            cells.push_back(renderGlyph(face, style, order[i], pad, height));
            if (cells.back().width > 127)
                throw std::runtime_error("glyph wider than 127 pixels");
            page.characters += order[i];
            page.widths.push_back(cells.back().width);
            total += cells.back().width;
        }
        page.strip = Canvas(total, height);
        int x = 0;
        for (const Cell& c : cells) {
            page.strip.draw(c.picture, x, 0);
            x += c.width;
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

Bytes encodePageData(const FontPage& page)
{
    ByteWriter w;
    w.u8(int(page.characters.size()));
    w.u8(page.spacing);
    for (size_t i = 0; i < page.characters.size(); ++i) {
        w.utf(encodeUtf8(page.characters[i]));
        w.u8(page.widths[i]);
    }
    return w.data();
}

ParsedPage parsePageData(const Bytes& d)
{
    auto need = [&](size_t at, size_t n) {
        if (d.size() < at + n)
            throw std::runtime_error("font page data ends early");
    };
    need(0, 2);
    ParsedPage p;
    int count = int8_t(d[0]);
    p.spacing = int8_t(d[1]);
    if (count < 0)
        throw std::runtime_error("negative glyph count");
    size_t at = 2;
    for (int i = 0; i < count; ++i) {
        need(at, 2);
        size_t len = size_t(d[at] << 8 | d[at + 1]);
        need(at + 2, len + 1);
        std::u32string s = decodeUtf8(std::string(d.begin() + long(at + 2), d.begin() + long(at + 2 + len)));
        p.characters += s;
        p.widths.push_back(int8_t(d[at + 2 + len]));
        at += 3 + len;
    }
    if (at != d.size())
        throw std::runtime_error("font page data has trailing bytes");
    return p;
}

}  // namespace datagen
