// Orchestration of the data set: texts, levels, per-profile art and fonts, sounds and tunes.
#include "Generate.h"

#include "Audio.h"
#include "Fonts.h"
#include "GameArt.h"
#include "Icons.h"
#include "Levels.h"
#include "MenuArt.h"
#include "Png.h"
#include "Profiles.h"
#include "TextFit.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace datagen {

namespace fs = std::filesystem;

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<TextTable> loadTextTables(const std::string& dataDir)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(fs::path(dataDir) / "texts"))
        if (e.path().extension() == ".txt")
            files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<TextTable> tables;
    for (const fs::path& f : files)
        tables.push_back(parseTextTable(f.stem().string(), readFile(f.string())));
    return tables;
}

TextTable linkTable(const std::string& vendorUrl)
{
    bool web = vendorUrl.rfind("https://", 0) == 0 || vendorUrl.rfind("http://", 0) == 0;
    bool plain = std::all_of(vendorUrl.begin(), vendorUrl.end(), [](char c) { return c > 0x20 && c < 0x7F; });
    if (!vendorUrl.empty() && (!web || !plain))
        throw std::runtime_error("the vendor URL must be empty or an http(s) address without spaces: \"" +
                                 vendorUrl + "\"");
    return TextTable{"url", {{"VENDOR_URL", vendorUrl}}};
}

std::u32string textCharacters(const std::vector<TextTable>& tables)
{
    std::u32string all = alphabet();
    for (const TextTable& t : tables)
        for (const auto& e : t.entries)
            for (char32_t c : decodeUtf8(e.second))
                if (c >= 0x20)
                    all += c;
    return all;
}

namespace {

struct FontSpec {
    const char* name;
    const char* face;
    uint32_t top, bottom, outline;
    int Profile::*size;
    bool allText;  // draws every text, else digits and plain ASCII
};

const FontSpec FONTS[] = {
    {"menu", "DejaVuSans-Bold.ttf", 0xFFF8E6, 0xF2D9A0, 0x0E2A33, &Profile::menuFont, true},
    {"menu_red", "DejaVuSans-Bold.ttf", 0xFFD2A8, 0xF46E4E, 0x3A1008, &Profile::menuFont, true},
    {"game", "DejaVuSans.ttf", 0xFFFFFF, 0xE4EEF0, 0x0B1E26, &Profile::gameFont, true},
    {"score", "DejaVuSansMono-Bold.ttf", 0xFFEA8C, 0xF2AE34, 0x2A1A05, &Profile::scoreFont, false},
};

void addPicture(Members& m, const std::string& folder, const Picture& p)
{
    RgbImage flat = p.keyed ? flattenKeyed(p.canvas, p.matte) : flattenOpaque(p.canvas, p.matte);
    m.add(folder + p.name + ".png", encodePng(flat));
}

// What the menus need to know of a rendered font: its height and the advance of each glyph.
struct FontMetrics {
    int height = 0;
    std::map<char32_t, int> advance;  // glyph width plus the font's spacing

    int width(const std::u32string& text) const
    {
        int w = 0;
        for (char32_t c : text) {
            auto it = advance.find(c);
            w += it == advance.end() ? 0 : it->second;
        }
        return w;
    }
};

// The soft-key labels every language shows, drawn in the menu font on the soft-key plate.
const char* const SOFT_KEY_LABELS[] = {"OK", "EXIT", "YES", "NO", "BACK", "START", "SITE", "DOWN", "NEW_GAME"};

FontMetrics addFont(Members& m, const Sources& src, const Profile& p, const FontSpec& spec,
                    const std::u32string& chars)
{
    FontStyle style{src.fontDir + "/" + spec.face, p.*spec.size, spec.top, spec.bottom, spec.outline,
                    std::max(1.0f, (p.*spec.size) / 16.0f)};
    std::vector<FontPage> pages = renderFont(style, chars);
    for (size_t i = 0; i < pages.size(); ++i) {
        std::string base = p.folder() + spec.name + "_" + std::to_string(i);
        m.add(base + ".png", encodePng(flattenKeyed(pages[i].strip, rgb(spec.outline))));
        m.add(base, encodePageData(pages[i]));
    }
    FontMetrics fm;
    fm.height = pages[0].strip.height();
    for (const FontPage& pg : pages)
        for (size_t i = 0; i < pg.characters.size(); ++i)
            fm.advance.emplace(pg.characters[i], pg.widths[i] + pages.back().spacing);
    return fm;
}

// The tips before a level are centred on the screen: the title in the menu font, the type icon
// (two lines of the message font at most), then the tips; the longest must clear the soft key.
void checkTipsFit(const Profile& p, const std::vector<TextTable>& tables, const FontMetrics& menu,
                  const FontMetrics& game, const TextHeights& heights)
{
    auto width = [&](const std::u32string& s) { return game.width(s); };
    int room = p.height - 2 * softKeyHeight(heights), icon = 2 * std::max(8, game.height);
    for (const TextTable& t : tables) {
        const std::string* tips2 = t.find("TIPS2");
        if (!tips2)
            continue;
        for (const char* first : {"TIPS1_LINES", "TIPS1_BLOCKS"})
            for (const char* last : {"TIPS3_SCORE", "TIPS3_TIME"}) {
                const std::string *a = t.find(first), *c = t.find(last);
                if (!a || !c)
                    continue;
                int lines = wrappedLines(*a + *tips2 + *c, p.width - p.width / 8, width);
                int height = lines * game.height + (menu.height - game.height) + (icon - game.height);
                if (height > room)
                    throw std::runtime_error(t.name + ": the tips " + first + " and " + last + " need " +
                                             std::to_string(height) + " of " + std::to_string(room) +
                                             " pixels on " + p.resolutionFile());
            }
    }
}

// Menu items, the words of the about and help texts and the more-games entries fit this screen.
void checkTextsFit(const Profile& p, const std::vector<TextTable>& tables, const FontMetrics& menu,
                   const FontMetrics& game, const TextHeights& heights, const std::string& vendorUrl)
{
    auto measure = [](const FontMetrics& f) {
        return FontMeasure{f.height, [&f](const std::u32string& s) { return f.width(s); }};
    };
    std::string faults;
    for (const TextTable& t : tables)
        for (const std::string& f : textFitFaults(p, t, measure(menu), measure(game), heights, vendorUrl))
            faults += (faults.empty() ? "" : "\n") + f;
    if (!faults.empty())
        throw std::runtime_error(faults);
}

void addSpriteSet(Members& m, const std::string& name, const SpriteSet& set, int maxWidth)
{
    SpriteSet::Packed packed = set.pack(maxWidth);
    m.add(name + ".bin", packed.description);
    m.add(name + ".png", encodePng(packed.atlas));
}

void addProfile(Members& m, const Sources& src, const Profile& p, const std::vector<TextTable>& tables,
                const std::vector<std::string>& languageIds)
{
    m.add(p.resolutionFile(), encodeTextFile({{"PATH", p.folder()}}));
    std::u32string all = textCharacters(tables), plain;
    for (char32_t c = 0x20; c < 0x7F; ++c)
        plain += c;
    FontMetrics metrics[4];
    for (int i = 0; i < 4; ++i)
        metrics[i] = addFont(m, src, p, FONTS[i], FONTS[i].allText ? all : plain);
    int softKeyText = 0;
    for (const TextTable& t : tables)
        for (const char* key : SOFT_KEY_LABELS)
            if (const std::string* label = t.find(key))
                softKeyText = std::max(softKeyText, metrics[0].width(decodeUtf8(*label)));
    TextHeights heights{metrics[0].height, metrics[2].height, metrics[2].width(U"OK") + 4, softKeyText};
    checkTipsFit(p, tables, metrics[0], metrics[2], heights);
    checkTextsFit(p, tables, metrics[0], metrics[2], heights, src.vendorUrl);

    std::string bold = src.fontDir + "/DejaVuSans-Bold.ttf";
    for (const Picture& pic : boardPictures(p))
        addPicture(m, p.folder(), pic);
    for (const Picture& pic : menuPictures(p, heights))
        addPicture(m, p.folder(), pic);
    for (const Picture& pic : logoPictures(p, bold))
        addPicture(m, p.folder(), pic);
    for (const std::string& id : languageIds)
        addPicture(m, p.folder(), flagPicture(id, heights.menu - 4));
    int atlasWidth = std::max(256, p.width);
    addSpriteSet(m, p.folder() + "img/Game", gameSprites(p, heights.game), std::max(atlasWidth, 9 * p.cell + 16));
    addSpriteSet(m, p.folder() + "img/Menu", menuSprites(p, heights), atlasWidth);
}

}  // namespace

Members generate(const Sources& src)
{
    Members m;
    std::vector<TextTable> tables = loadTextTables(src.dataDir);
    std::vector<std::string> ids;
    for (const TextTable& t : tables) {
        m.add(t.name + ".dat", encodeLanguageFile(t));
        if (t.name == "lang" && t.find("ID"))
            ids = splitList(*t.find("ID"), ';');
    }
    if (ids.empty())
        throw std::runtime_error("texts/lang.txt names no language ids");
    m.add("url.dat", encodeLanguageFile(linkTable(src.vendorUrl)));

    std::vector<Level> levels = parseLevels(readFile(src.dataDir + "/levels.txt"));
    for (size_t i = 0; i < levels.size(); ++i) {
        std::vector<std::string> faults = levelFaults(levels[i]);
        if (!faults.empty())
            throw std::runtime_error("level " + std::to_string(i + 1) + ": " + faults[0]);
        m.add(std::to_string(i) + ".bin", encodeLevel(levels[i]));
    }

    addSounds(m, src.soxPath);
    addTunes(m, src.dataDir + "/music");
    addWindowIcon(m);

    for (const Profile& p : profiles())
        addProfile(m, src, p, tables, ids);
    return m;
}

}  // namespace datagen
