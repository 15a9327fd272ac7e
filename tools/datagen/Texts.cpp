// Parsing of the text sources and encoding of the game's string files.
#include "Texts.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace datagen {

const std::string* TextTable::find(const std::string& key) const
{
    const std::string* found = nullptr;
    for (const auto& e : entries)
        if (e.first == key)
            found = &e.second;  // the game keeps the later of two equal keys
    return found;
}

static std::string unescape(const std::string& v, const std::string& where)
{
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '~') {
            out += "\u00A0";  // a no-break space, visible in the source
            continue;
        }
        if (v[i] != '\\') {
            out += v[i];
            continue;
        }
        if (i + 1 == v.size())
            throw std::runtime_error(where + ": backslash at the end of the value");
        char e = v[++i];
        if (e == 'n')
            out += '\n';
        else if (e == '\\' || e == '~')
            out += e;
        else
            throw std::runtime_error(where + ": unknown escape \\" + std::string(1, e));
    }
    return out;
}

TextTable parseTextTable(const std::string& name, const std::string& source)
{
    TextTable table{name, {}};
    size_t pos = 0;
    for (int lineNo = 1; pos < source.size(); ++lineNo) {
        size_t end = source.find('\n', pos);
        if (end == std::string::npos)
            end = source.size();
        std::string line = source.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::string where = name + ":" + std::to_string(lineNo);
        size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            throw std::runtime_error(where + ": expected KEY=value");
        table.entries.emplace_back(line.substr(0, eq), unescape(line.substr(eq + 1), where));
    }
    return table;
}

Bytes encodeLanguageFile(const TextTable& table)
{
    ByteWriter w;
    for (const auto& [key, value] : table.entries)
        w.utf(key + "=" + value);
    return w.data();
}

Bytes encodeTextFile(const std::vector<std::pair<std::string, std::string>>& entries)
{
    ByteWriter w;
    for (const auto& [key, value] : entries) {
        for (char c : key + value)
            if (uint8_t(c) < 0x20 || uint8_t(c) > 0x7E)
                throw std::runtime_error("resolution file entries must be printable ASCII: " + key);
        w.text(key + "=" + value + "\r\n");
    }
    return w.data();
}

const std::u32string& alphabet()
{
    static const std::u32string letters = [] {
        std::u32string all;
        for (char32_t c = 0x20; c < 0x7F; ++c)
            all += c;
        // German, French and Spanish letters with their accents, and their marks.
        all += U"ÄÖÜäöüßẞ" U"ÀÂÆÇÈÉÊËÎÏÔŒÙÛŸàâæçèéêëîïôœùûÿ" U"ÁÍÑÓÚáíñóú¿¡";
        for (char32_t c = 0x410; c <= 0x44F; ++c)  // Cyrillic А to я
            all += c;
        all += U"Ёё";
        // No-break spaces, quotes, dashes and the signs the texts set.
        all += U"\u00A0\u202F«»‹›„“”‘’‚–—…×→·°№";
        return all;
    }();
    return letters;
}

const std::vector<std::string>& requiredTextKeys()
{
    static const std::vector<std::string> keys = {
        // menus and frames
        "CONTINUE", "RESTART_LEVEL", "PROGRESS_GAME", "ARCADE_GAME", "SETTINGS", "HIGHSCORES", "HELP",
        "MORE_GAMES", "ABOUT", "EXIT", "OK", "BACK", "YES", "NO", "START", "SITE", "DOWN", "CANCEL",
        "NEW_GAME",
        // questions and messages
        "ENABLE_SOUND", "EXIT_GAME", "ASK_NEW_CONTINUE", "TERMINATE_CURRENT_GAME", "LEVEL_UNAVAILABLE",
        // settings and controls
        "CONTROLS", "SOUND_ON", "SOUND_OFF", "SOUND_VOL", "MUSIC_VOL", "CTRL_ACTIONS", "CTRL_DEFAULT",
        // game screen, levels, tips, high scores
        "EMPTY", "LEVEL_NUM", "PTS_TO_WIN", "TIPS1_LINES", "TIPS1_BLOCKS", "TIPS2", "TIPS3_SCORE",
        "TIPS3_TIME",
        // help, about, more games
        "HELP_STR", "ABOUT_INFO", "MORE_GAME0", "MORE_GAME1", "MORE_GAME2", "MORE_GAME_URL0",
        "MORE_GAME_URL1", "MORE_GAME_URL2",
    };
    return keys;
}

const std::map<std::string, std::vector<std::string>>& requiredTokens()
{
    static const std::map<std::string, std::vector<std::string>> tokens = {
        {"ABOUT_INFO", {"%LOGO%", "%VERSION%", "%VENDOR_URL%"}},
        {"LEVEL_NUM", {"%LEVEL_NUM%"}},
        {"PTS_TO_WIN", {"%REST_SCORE%"}},
        {"LEVEL_UNAVAILABLE", {"%CUR_LEVEL_NUM%"}},
        {"TIPS1_LINES", {"%TYPE_ICON%", "%LINE_LENGTH%"}},
        {"TIPS1_BLOCKS", {"%TYPE_ICON%"}},
        {"TIPS2", {"%COLORS_COUNT%"}},
        {"TIPS3_SCORE", {"%MAX_SCORE%"}},
        {"MORE_GAME0", {"%ICON%"}},
        {"MORE_GAME1", {"%ICON%"}},
        {"MORE_GAME2", {"%ICON%"}},
    };
    return tokens;
}

}  // namespace datagen

namespace datagen {

static std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::vector<std::string> markupFaults(const std::string& text)
{
    static const char* const tags[] = {"p", "br", "align", "valign", "anim", "img", "token", "font"};
    std::vector<std::string> faults;
    for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
        size_t close = text.find('>', at + 1);
        if (close == std::string::npos) {
            faults.push_back("a \"<\" without \">\" (write &lt; for the character)");
            break;
        }
        std::string inside = text.substr(at + 1, close - at - 1);
        std::vector<std::string> parts = splitList(inside, ' ');
        std::string name = lower(parts[0]);
        if (name.empty() || name[0] == '/') {
            faults.push_back("a closing tag ends the text early");
            continue;
        }
        if (std::find(std::begin(tags), std::end(tags), name) == std::end(tags))
            faults.push_back("unknown tag <" + parts[0] + ">");
        for (size_t i = 1; i < parts.size(); ++i)
            if (!parts[i].empty() && parts[i].find('=') == std::string::npos)
                faults.push_back("attribute without \"=\" in <" + inside + ">");
    }
    return faults;
}

std::vector<std::string> splitList(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

int wrappedLines(const std::string& markup, int box, const std::function<int(const std::u32string&)>& width)
{
    int space = width(U" "), lines = 0;
    for (size_t start = 0;;) {
        size_t end = markup.find("<BR>", start);
        std::string line = markup.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string plain;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '<') {
                plain += line[i];
                continue;
            }
            size_t close = line.find('>', i);
            if (line.compare(i, 6, "<TOKEN") == 0)
                plain += "00";
            i = close == std::string::npos ? line.size() : close;
        }
        ++lines;
        int used = 0;
        for (const std::string& word : splitList(plain, ' ')) {
            if (word.empty())
                continue;
            int w = width(decodeUtf8(word));
            if (used > 0 && used + space + w > box)
                ++lines, used = w;
            else
                used += (used > 0 ? space : 0) + w;
        }
        if (end == std::string::npos)
            return lines;
        start = end + 4;
    }
}

}  // namespace datagen
