// The fit checks: words measured in the font each text sets, as the game's markup lays them out.
#include "TextFit.h"

#include "Bytes.h"
#include "TextRules.h"

namespace datagen {

namespace {

// Items of the main menu, the settings and the high-score choice: one line each on a plate.
const char* const MENU_ITEMS[] = {"CONTINUE", "RESTART_LEVEL", "PROGRESS_GAME", "ARCADE_GAME", "SETTINGS",
                                  "HIGHSCORES", "HELP", "MORE_GAMES", "ABOUT", "EXIT", "BACK", "CONTROLS",
                                  "SOUND_ON", "SOUND_OFF", "SOUND_VOL", "MUSIC_VOL"};

std::string replaced(std::string text, const std::string& token, const std::string& value)
{
    for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
    return text;
}

// The widest word of a markup text, each word measured in the font it is drawn with: the red
// menu font after <FONT FACE=%FONT_MENU_RED%>, the text's own font after FACE=DEFAULT.
int widestWord(const std::string& markup, const FontMeasure& text, const FontMeasure& menu)
{
    const FontMeasure* font = &text;
    int widest = 0;
    std::string word;
    auto flush = [&] {
        if (!word.empty())
            widest = std::max(widest, font->width(decodeUtf8(word)));
        word.clear();
    };
    for (size_t i = 0; i < markup.size(); ++i) {
        char c = markup[i];
        if (c == '<') {
            flush();
            size_t close = markup.find('>', i);
            std::string tag = markup.substr(i, close - i);
            if (tag.rfind("<FONT", 0) == 0)
                font = tag.find("%FONT_MENU") != std::string::npos ? &menu : &text;
            i = close == std::string::npos ? markup.size() : close;
        } else if (c == ' ' || c == '\n') {
            flush();
        } else {
            word += c;
        }
    }
    flush();
    return widest;
}

}  // namespace

std::vector<std::string> textFitFaults(const Profile& p, const TextTable& strings, const FontMeasure& menu,
                                       const FontMeasure& game, const TextHeights& heights,
                                       const std::string& vendorUrl)
{
    std::vector<std::string> faults;
    std::string where = " on " + p.resolutionFile();
    auto fault = [&](const std::string& key, const std::string& what) {
        faults.push_back(strings.name + ": " + key + " " + what + where);
    };
    for (const char* key : MENU_ITEMS)
        if (const std::string* label = strings.find(key))
            if (menu.width(decodeUtf8(shownText(*label))) > menuItemTextWidth(p))
                fault(key, "is wider than a menu item");
    if (const std::string* level = strings.find("LEVEL_NUM")) {
        std::string shown = shownText(replaced(*level, "<TOKEN TOKEN=%LEVEL_NUM%>", "00"));
        if (menu.width(decodeUtf8(shown)) > menuItemTextWidth(p))
            fault("LEVEL_NUM", "is wider than a menu item");
    }

    const struct {
        const char* key;
        int width;
    } texts[] = {{"ABOUT_INFO", p.width}, {"HELP_STR", p.width - p.width / 4 - scrollBarWidth(p)}};
    for (const auto& t : texts)
        if (const std::string* text = strings.find(t.key))
            if (widestWord(replaced(*text, "%VERSION%", "v1.1"), game, menu) > t.width)
                fault(t.key, "has a word wider than its text");
    // The about text shows the address as one word: it cannot wrap.
    if (strings.find("ABOUT_INFO") && game.width(decodeUtf8(vendorUrl)) > p.width)
        faults.push_back("the maker's address (TINTROW_VENDOR_URL) is wider than the about text" + where);

    // Each entry of the more-games list is a third of the list at most, its icon floating left.
    int icon = moreGamesIconSize(heights), listWidth = p.width - p.width / 16;
    int entryHeight = std::min(p.height * 7 / 8 / 3 - 1, 3 * icon / 2);
    for (const char* key : {"MORE_GAME0", "MORE_GAME1", "MORE_GAME2"})
        if (const std::string* entry = strings.find(key))
            if (wrappedLines(*entry, listWidth - icon - 4, game.width) * game.height > entryHeight)
                fault(key, "is taller than its entry in the list");
    return faults;
}

}  // namespace datagen
