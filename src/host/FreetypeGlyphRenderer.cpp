// Glyph masks from FreeType in monochrome mode, with faces located through fontconfig.
#include "host/GlyphRenderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <map>
#include <tuple>
#include <cstdlib>
#include <string>

namespace host {

namespace {

struct FamilyNames {
    const char* preferred;
    const char* fallback;
};

const FamilyNames FAMILY_NAMES[] = {
    {"Tahoma", "DejaVu Sans"},          // FAMILY_SANS
    {"Courier New", "DejaVu Sans Mono"}, // FAMILY_MONO
};

// The file of the family when fontconfig has that very family, else empty.
std::string matchFamily(const char* family, bool bold, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    FcChar8* found = nullptr;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch &&
        FcStrCmpIgnoreCase(found, reinterpret_cast<const FcChar8*>(family)) == 0 &&
        FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return path;
}

// Opens FreeType once for the whole process; it lives until exit.
FT_Library library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            l = nullptr;
        return l;
    }();
    return lib;
}

int ceil26(FT_Pos v) { return int((v + 63) >> 6); }

class FreetypeGlyphRenderer : public GlyphRenderer {
public:
    FreetypeGlyphRenderer(FT_Face face, const FontRequest& request) : face(face), request(request)
    {
        // A negative height is the character height, a positive one the whole cell.
        FT_Size_RequestRec size = {};
        size.type = request.pixelHeight < 0 ? FT_SIZE_REQUEST_TYPE_NOMINAL : FT_SIZE_REQUEST_TYPE_CELL;
        size.height = FT_Long(std::max(1, std::abs(request.pixelHeight))) << 6;
        FT_Request_Size(face, &size);
        fakeBold = request.bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
        fakeItalic = request.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
        asc = ceil26(face->size->metrics.ascender);
        desc = ceil26(-face->size->metrics.descender);
    }
    ~FreetypeGlyphRenderer() override { FT_Done_Face(face); }

    int height() const override { return asc + desc; }
    int ascent() const override { return asc; }
    int descent() const override { return desc; }

    bool render(uint16_t ch, GlyphMask& out) override
    {
        if (FT_Load_Char(face, ch, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0)
            return false;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (fakeItalic) {
                FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000}; // about 12 degrees
                FT_Outline_Transform(&slot->outline, &shear);
            }
            if (fakeBold)
                FT_Outline_Embolden(&slot->outline, 1 << 6);
        }
        int advance = int((slot->advance.x + 32) >> 6) + (fakeBold ? 1 : 0);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
            return false;
        out.width = std::max(0, advance);
        out.height = height();
        out.rows.assign(size_t(out.width) * out.height, 0);
        copyBitmap(slot, out);
        if (request.underline)
            underline(out);
        return true;
    }

private:
    void copyBitmap(FT_GlyphSlot slot, GlyphMask& out) const
    {
        const FT_Bitmap& bm = slot->bitmap;
        for (unsigned r = 0; r < bm.rows; ++r) {
            int y = asc - slot->bitmap_top + int(r);
            if (y < 0 || y >= out.height)
                continue;
            const uint8_t* src = bm.buffer + long(r) * bm.pitch;
            for (unsigned c = 0; c < bm.width; ++c) {
                int x = slot->bitmap_left + int(c);
                bool ink = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (src[c >> 3] >> (7 - (c & 7))) & 1
                                                               : src[c] >= 128;
                if (ink && x >= 0 && x < out.width)
                    out.rows[size_t(y) * out.width + x] = 0xFF;
            }
        }
    }

    void underline(GlyphMask& out) const
    {
        int y = std::min(out.height - 1, asc + 1);
        if (y >= 0)
            std::fill_n(out.rows.begin() + long(y) * out.width, out.width, 0xFF);
    }

    FT_Face face;
    FontRequest request;
    bool fakeBold = false;
    bool fakeItalic = false;
    int asc = 0;
    int desc = 0;
};

} // namespace

// The font file of a request; fontconfig is opened and closed again around each new query, so
// that none of its memory outlives the query.
static std::string fontFile(FontFamily family, bool bold, bool italic)
{
    static std::map<std::tuple<int, bool, bool>, std::string> found;
    auto key = std::make_tuple(int(family), bold, italic);
    auto it = found.find(key);
    if (it != found.end())
        return it->second;
    if (!FcInit())
        return "";
    const FamilyNames& names = FAMILY_NAMES[family == FAMILY_MONO ? 1 : 0];
    std::string path = matchFamily(names.preferred, bold, italic);
    if (path.empty())
        path = matchFamily(names.fallback, bold, italic);
    FcFini();
    return found[key] = path;
}

std::unique_ptr<GlyphRenderer> openGlyphRenderer(const FontRequest& request)
{
    std::string path = fontFile(request.family, request.bold, request.italic);
    FT_Face face = nullptr;
    if (!library() || path.empty() || FT_New_Face(library(), path.c_str(), 0, &face) != 0)
        return nullptr;
    return std::make_unique<FreetypeGlyphRenderer>(face, request);
}

} // namespace host
