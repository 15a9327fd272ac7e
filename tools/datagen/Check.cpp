// Completeness check of a finished data set, read back from the member bytes as the game reads them.
#include "Generate.h"

#include "Audio.h"
#include "Fonts.h"
#include "GameArt.h"
#include "GameReaders.h"
#include "Levels.h"
#include "MenuArt.h"
#include "Png.h"
#include "Profiles.h"
#include "SpriteSet.h"
#include "TextRules.h"

#include "game/rules/Cell.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>

namespace datagen {

namespace {

const char* const PROFILE_PICTURES[] = {
    "img/vandrel", "logo", "img/back", "img/back_menu", "img/square", "img/border", "img/corner",
    "img/titlel", "img/titlem", "img/titler", "pbar_back", "pbar_sel", "img/input_top", "img/input_midd",
    "img/input_bot",
};

struct Checker {
    const Members& m;
    std::vector<std::string> faults;
    std::vector<std::string> absentProbes;

    void fault(const std::string& f) { faults.push_back(f); }

    // A picture as the game looks it up: the bare name, then the profile's folder.
    const Bytes* picture(const std::string& folder, const std::string& name)
    {
        for (const std::string& base : {name, folder + name})
            for (const char* ext : {".png", ".jpg"}) {
                if (m.has(base + ext))
                    return &m.get(base + ext);
                absentProbes.push_back(base + ext);
            }
        return nullptr;
    }

    const Bytes* resource(const std::string& folder, const std::string& name)
    {
        for (const std::string& candidate : {name, folder + name}) {
            if (m.has(candidate))
                return &m.get(candidate);
            absentProbes.push_back(candidate);
        }
        return nullptr;
    }

    bool decodes(const std::string& what, const Bytes* png, RgbImage* out = nullptr)
    {
        if (!png) {
            fault("missing picture " + what);
            return false;
        }
        try {
            RgbImage img = decodePng(*png);
            if (out)
                *out = img;
        } catch (const std::exception& e) {
            fault(what + ": " + e.what());
            return false;
        }
        return true;
    }

    TextTable language(const std::string& name)
    {
        if (!m.has(name)) {
            fault("missing text file " + name);
            return {};
        }
        try {
            return readLanguageFile(name, m.get(name));
        } catch (const std::exception& e) {
            fault(e.what());
            return {};
        }
    }

    void checkTexts(std::vector<std::string>* ids, std::u32string* shown)
    {
        TextTable lang = language("lang.dat");
        const std::string* names = lang.find("LANG");
        const std::string* idList = lang.find("ID");
        if (!names || !idList) {
            fault("lang.dat lacks LANG or ID");
            return;
        }
        *ids = splitList(*idList, ';');
        if (splitList(*names, ';').size() != ids->size())
            fault("lang.dat: LANG and ID differ in length");
        for (char32_t c : decodeUtf8(*names))
            *shown += c;
        TextTable url = language("url.dat");
        if (!url.find("VENDOR_URL"))
            fault("url.dat lacks VENDOR_URL");
        for (const std::string& id : *ids) {
            std::string file = "res_" + id + ".dat";
            TextTable t = language(file);
            for (const std::string& key : requiredTextKeys()) {
                const std::string* v = t.find(key);
                if (!v) {
                    fault(file + ": missing key " + key);
                    continue;
                }
                for (char32_t c : decodeUtf8(*v))
                    if (c >= 0x20)
                        *shown += c;
                auto tokens = requiredTokens().find(key);
                if (tokens != requiredTokens().end())
                    for (const std::string& token : tokens->second)
                        if (v->find(token) == std::string::npos)
                            fault(file + ": " + key + " lacks " + token);
            }
            for (const auto& [key, value] : t.entries)
                for (const std::string& f : markupFaults(value))
                    fault(file + ": " + key + ": " + f);
            for (const std::string& f : textRuleFaults(t, id))
                fault(file + ": " + f);
            absentProbes.push_back("url_" + id + ".dat");
        }
    }

    // Where a glyph lies: its page picture and its columns there.
    struct GlyphCell {
        const RgbImage* page;
        int x, width;
    };

    // Two glyph pictures a player can tell apart: at least two pixels differ clearly.
    static bool distinct(const GlyphCell& a, const GlyphCell& b)
    {
        auto at = [](const GlyphCell& g, int x, int y) {
            return x < g.width ? g.page->pixel(g.x + x, y) : KEY_COLOUR;
        };
        auto light = [](uint32_t p) {
            return p == KEY_COLOUR ? -1 : int((p >> 16 & 255) + (p >> 8 & 255) + (p & 255)) / 3;
        };
        int differing = 0;
        for (int y = 0; y < a.page->height; ++y)
            for (int x = 0; x < std::max(a.width, b.width); ++x)
                differing += std::abs(light(at(a, x, y)) - light(at(b, x, y))) > 64;
        return differing >= 2;
    }

    void checkAccents(const std::string& font, const std::map<char32_t, GlyphCell>& glyphs)
    {
        for (const std::u32string& family : accentFamilies())
            for (size_t i = 0; i < family.size(); ++i)
                for (size_t j = i + 1; j < family.size(); ++j) {
                    auto a = glyphs.find(family[i]), b = glyphs.find(family[j]);
                    if (a != glyphs.end() && b != glyphs.end() && !distinct(a->second, b->second))
                        fault(font + ": " + encodeUtf8(family[i]) + " and " + encodeUtf8(family[j]) + " look alike");
                }
    }

    void checkFont(const Profile& p, const std::string& name, const std::u32string& needed)
    {
        std::u32string have;
        std::map<char32_t, GlyphCell> glyphs;
        std::vector<RgbImage> images;
        images.reserve(MAX_PAGES);  // the glyph cells point into it
        int pages = 0;
        for (; pages < MAX_PAGES; ++pages) {
            std::string page = name + "_" + std::to_string(pages);
            const Bytes* png = picture(p.folder(), page);
            if (!png)
                break;
            RgbImage img;
            const Bytes* data = resource(p.folder(), page);
            if (!decodes(p.folder() + page, png, &img) || !data) {
                fault(p.folder() + page + ": page without its data");
                break;
            }
            try {
                ParsedPage pd = parsePageData(*data);
                images.push_back(img);
                int total = 0;
                for (size_t i = 0; i < pd.widths.size(); ++i) {
                    if (total + pd.widths[i] <= img.width)
                        glyphs.emplace(pd.characters[i], GlyphCell{&images.back(), total, pd.widths[i]});
                    total += pd.widths[i];
                }
                if (total > img.width)
                    fault(p.folder() + page + ": glyphs run past the strip");
                if (pages == 0 && pd.characters.substr(0, 1) != U" ")
                    fault(p.folder() + page + ": glyph 0 must be the space");
                have += pd.characters;
            } catch (const std::exception& e) {
                fault(p.folder() + page + ": " + e.what());
            }
        }
        if (pages == 0)
            fault(p.folder() + name + ": no font pages");
        checkAccents(p.folder() + name, glyphs);
        std::set<char32_t> missing;
        for (char32_t c : needed)
            if (c != U' ' && have.find(c) == std::u32string::npos)
                missing.insert(c);
        if (!missing.empty())
            fault(p.folder() + name + ": " + std::to_string(missing.size()) + " characters without glyph, first U+" +
                  std::to_string(uint32_t(*missing.begin())));
    }

    void checkSprites(const Profile& p, const std::string& name, int count)
    {
        const Bytes* bin = resource(p.folder(), name + ".bin");
        RgbImage atlas;
        if (!bin) {
            fault("missing sprite description " + p.folder() + name);
            return;
        }
        if (!decodes(p.folder() + name, picture(p.folder(), name), &atlas))
            return;
        try {
            ParsedSet set = readSpriteSet(*bin);
            if (int(set.anims.size()) < count)
                fault(p.folder() + name + ": " + std::to_string(set.anims.size()) + " animations, need " +
                      std::to_string(count));
            for (const ParsedSet::Rect& r : set.rects)
                if (r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 || r.x + r.w > atlas.width || r.y + r.h > atlas.height)
                    fault(p.folder() + name + ": a rectangle lies outside the atlas");
            for (size_t a = 0; a < set.anims.size(); ++a)
                if (set.anims[a].frames[0].empty())
                    fault(p.folder() + name + ": animation " + std::to_string(a) + " draws nothing");
        } catch (const std::exception& e) {
            fault(p.folder() + name + ": " + e.what());
        }
    }

    void checkLevels()
    {
        int n = 0;
        for (;; ++n) {
            std::string name = std::to_string(n) + ".bin";
            if (!m.has(name)) {
                absentProbes.push_back(name);
                break;
            }
            try {
                tintrow::LevelFile lv = readLevel(m.get(name));
                if (std::any_of(lv.kinds.begin(), lv.kinds.end(),
                                [](int8_t k) { return k != tintrow::KIND_HOLE && k != tintrow::KIND_FLOOR; }))
                    fault(name + ": a cell is neither hole nor floor");
                for (const Profile& p : profiles()) {
                    int text = std::max(p.menuFont, p.gameFont) * 3 / 2;
                    if (!layoutFits(layoutBoard(lv, p, timeBarHeight(p), timeBarEdge(p), text), p))
                        fault(name + " does not fit " + p.resolutionFile());
                }
            } catch (const std::exception& e) {
                fault(name + ": " + e.what());
            }
        }
        if (n < 30)
            fault("only " + std::to_string(n) + " levels");
    }

    void checkSounds()
    {
        for (const SoundName& s : soundTable()) {
            std::string wav = std::string(s.name) + ".wav", mod = std::string(s.name) + ".mod";
            std::string fault;
            if (m.has(wav))
                fault = waveFault(m.get(wav));
            else if (m.has(mod))
                fault = moduleFault(m.get(mod));
            else
                fault = "missing";
            if (!fault.empty())
                this->fault(std::string(s.name) + ": " + fault);
        }
    }
};

}  // namespace

std::vector<std::string> checkMembers(const Members& m)
{
    Checker c{m, {}, {}};
    std::vector<std::string> ids;
    std::u32string shown = alphabet();
    c.checkTexts(&ids, &shown);
    for (const Profile& p : profiles()) {
        if (!m.has(p.resolutionFile()))
            c.fault("missing resolution file " + p.resolutionFile());
        else if (m.get(p.resolutionFile()) != encodeTextFile({{"PATH", p.folder()}}))
            c.fault(p.resolutionFile() + ": unexpected PATH");
        for (const char* name : PROFILE_PICTURES)
            c.decodes(p.folder() + name, c.picture(p.folder(), name));
        for (const std::string& id : ids)
            c.decodes(p.folder() + "lang_" + id, c.picture(p.folder(), "lang_" + id));
        RgbImage tile;
        if (c.decodes("img/square", c.picture(p.folder(), "img/square"), &tile) &&
            (tile.width % 2 != 0 || tile.width < 8))
            c.fault(p.folder() + "img/square: the cell size must be even and at least 8");
        for (const char* font : {"menu", "menu_red", "game"})
            c.checkFont(p, font, shown);
        c.checkFont(p, "score", U"0123456789 ");
        c.checkSprites(p, "img/Game", game_anim::COUNT);
        c.checkSprites(p, "img/Menu", menu_anim::COUNT);
    }
    // Other screen sizes must not be taken for supported ones through a clashing name.
    const int sizes[] = {96, 128, 160, 176, 200, 208, 220, 240, 272, 288, 320, 360, 400, 432, 480, 640,
                         720, 768, 800, 854, 960, 1024, 1080, 1280, 1920};
    for (int w : sizes)
        for (int h : sizes)
            c.absentProbes.push_back(std::to_string(w) + "x" + std::to_string(h) + ".dat");
    c.checkLevels();
    c.checkSounds();
    for (const std::string& clash : m.hashClashes())
        c.fault("member names hash alike: " + clash);
    for (const std::string& hit : m.falseHits(c.absentProbes))
        c.fault("an absent name would find another member: " + hit);
    return c.faults;
}

}  // namespace datagen
