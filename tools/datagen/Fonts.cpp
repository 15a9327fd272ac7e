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

// Below this size the face's own accents melt into one-pixel dots (an e with acute, grave or
// circumflex looks alike), so accented letters get marks set pixel by pixel over the base letter.
constexpr int PIXEL_MARKS_BELOW = 16;

enum Mark { ACUTE, GRAVE, CIRCUMFLEX, DIAERESIS, TILDE, BREVE };
const std::vector<std::string> MARK_ROWS[] = {
    {"..#", ".#."}, {"#..", ".#."}, {".#.", "#.#"}, {"#.#", "..."}, {".#.#", "#.#."}, {"#..#", ".##."},
};

struct Accented {
    char32_t letter, base;
    Mark mark;
};
const Accented ACCENTED[] = {
    {U'À', U'A', GRAVE}, {U'Á', U'A', ACUTE}, {U'Â', U'A', CIRCUMFLEX}, {U'Ä', U'A', DIAERESIS},
    {U'È', U'E', GRAVE}, {U'É', U'E', ACUTE}, {U'Ê', U'E', CIRCUMFLEX}, {U'Ë', U'E', DIAERESIS},
    {U'Í', U'I', ACUTE}, {U'Î', U'I', CIRCUMFLEX}, {U'Ï', U'I', DIAERESIS}, {U'Ñ', U'N', TILDE},
    {U'Ó', U'O', ACUTE}, {U'Ô', U'O', CIRCUMFLEX}, {U'Ö', U'O', DIAERESIS}, {U'Ù', U'U', GRAVE},
    {U'Ú', U'U', ACUTE}, {U'Û', U'U', CIRCUMFLEX}, {U'Ü', U'U', DIAERESIS}, {U'Ÿ', U'Y', DIAERESIS},
    {U'à', U'a', GRAVE}, {U'á', U'a', ACUTE}, {U'â', U'a', CIRCUMFLEX}, {U'ä', U'a', DIAERESIS},
    {U'è', U'e', GRAVE}, {U'é', U'e', ACUTE}, {U'ê', U'e', CIRCUMFLEX}, {U'ë', U'e', DIAERESIS},
    {U'í', U'ı', ACUTE}, {U'î', U'ı', CIRCUMFLEX}, {U'ï', U'ı', DIAERESIS}, {U'ñ', U'n', TILDE},
    {U'ó', U'o', ACUTE}, {U'ô', U'o', CIRCUMFLEX}, {U'ö', U'o', DIAERESIS}, {U'ù', U'u', GRAVE},
    {U'ú', U'u', ACUTE}, {U'û', U'u', CIRCUMFLEX}, {U'ü', U'u', DIAERESIS}, {U'ÿ', U'y', DIAERESIS},
    {U'Ё', U'Е', DIAERESIS}, {U'ё', U'е', DIAERESIS}, {U'Й', U'И', BREVE}, {U'й', U'и', BREVE},
};

// The base letter with the mark one pixel above its ink, centred on it.
GlyphMask withMark(GlyphMask m, Mark mark)
{
    const std::vector<std::string>& rows = MARK_ROWS[mark];
    int markW = int(rows[0].size()), markH = int(rows.size());
    int markLeft = m.left + (m.width - markW + 1) / 2, top = m.top + 1 + markH;
    GlyphMask out;
    out.left = std::min(m.left, markLeft);
    out.top = top;
    out.width = std::max(m.left + m.width, markLeft + markW) - out.left;
    out.height = top + m.height - m.top;
    out.advance = m.advance;
    out.coverage.assign(size_t(out.width) * out.height, 0);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            out.coverage[size_t(y + top - m.top) * out.width + (x + m.left - out.left)] =
                m.coverage[size_t(y) * m.width + x];
    for (int y = 0; y < markH; ++y)
        for (int x = 0; x < markW; ++x)
            if (rows[size_t(y)][size_t(x)] == '#')
                out.coverage[size_t(y) * out.width + (x + markLeft - out.left)] = 255;
    return out;
}

GlyphMask letterMask(const Typeface& face, char32_t c, int pixelSize)
{
    if (pixelSize < PIXEL_MARKS_BELOW)
        for (const Accented& a : ACCENTED)
            if (a.letter == c)
                return withMark(face.glyph(a.base), a.mark);
    return face.glyph(c);
}
}  // namespace

std::vector<std::u32string> accentFamilies()
{
    std::vector<std::u32string> families;
    for (const Accented& a : ACCENTED) {
        auto it = std::find_if(families.begin(), families.end(), [&](const std::u32string& f) {
            return f[0] == (a.base == U'ı' ? U'i' : a.base);
        });
        if (it == families.end())
            families.push_back(std::u32string(1, a.base == U'ı' ? U'i' : a.base) + a.letter);
        else
            *it += a.letter;
    }
    return families;
}

// The cell is the letter's advance (wider only where ink reaches past it), so drawn text never
// reaches past the width the layout measures and keeps the face's spacing; the outline shows
// where the side bearings leave room for it.
static Cell renderGlyph(const GlyphMask& m, const FontStyle& style, int baseline, int height)
{
    int left = std::min(0, m.left), right = std::max(m.advance, m.left + m.width);
    int width = right - left;
    Canvas letters(width, height);
    Rgba top = rgb(style.fillTop), bottom = rgb(style.fillBottom);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            int px = m.left - left + x, py = baseline - m.top + y;
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
    std::vector<GlyphMask> masks{face.glyph(U' ')};
    // Accents above capitals may rise past the face's ascent: the strip grows to hold them.
    int above = face.ascent(), below = face.descent();
    for (char32_t c : unique) {
        if (c < 0x20)
            continue;
        if (!face.hasGlyph(c))
            throw std::runtime_error("font " + style.facePath + " has no glyph for U+" + std::to_string(uint32_t(c)));
        order += c;
        masks.push_back(letterMask(face, c, style.pixelSize));
        above = std::max(above, masks.back().top);
        below = std::max(below, masks.back().height - masks.back().top);
    }
    if ((order.size() + GLYPHS_PER_PAGE - 1) / GLYPHS_PER_PAGE > size_t(MAX_PAGES))
        throw std::runtime_error("too many characters for six font pages");
    int pad = int(std::ceil(style.outlineRadius));
    int height = above + below + 2 * pad, baseline = pad + above;
    std::vector<FontPage> pages;
    for (size_t start = 0; start < order.size(); start += GLYPHS_PER_PAGE) {
        FontPage page;
        page.spacing = 0;
        std::vector<Cell> cells;
        int total = 0;
        for (size_t i = start; i < std::min(order.size(), start + GLYPHS_PER_PAGE); ++i) {
            cells.push_back(renderGlyph(masks[i], style, baseline, height));
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
