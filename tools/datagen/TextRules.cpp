// The text rules, read on the shown text of every key but the link addresses.
#include "TextRules.h"

#include "Bytes.h"

namespace datagen {

namespace {

constexpr char32_t NO_BREAK = 0x00A0;

bool isCyrillic(char32_t c)
{
    return c >= 0x400 && c <= 0x4FF;
}

bool isLetter(char32_t c)
{
    bool ascii = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    bool accented = c >= 0xC0 && c <= 0x24F && c != U'×' && c != U'÷';
    return ascii || accented || isCyrillic(c);
}

// The last word of a text, without punctuation.
std::u32string lastWord(const std::u32string& text)
{
    size_t end = text.size();
    while (end > 0 && !isLetter(text[end - 1]))
        --end;
    size_t start = end;
    while (start > 0 && isLetter(text[start - 1]))
        --start;
    return text.substr(start, end - start);
}

std::vector<std::string> shownFaults(const std::u32string& t, const std::string& language)
{
    std::vector<std::string> faults;
    for (size_t i = 0; i < t.size(); ++i) {
        char32_t c = t[i], before = i ? t[i - 1] : U' ', after = i + 1 < t.size() ? t[i + 1] : U' ';
        if (c == U'\'' || c == U'"')
            faults.push_back("a typewriter quote where a typographic one belongs");
        if (c == U'×' && (before != NO_BREAK || after != NO_BREAK))
            faults.push_back("\"×\" without a no-break space on each side");
        if (language == "fr" && (c == U':' || c == U';' || c == U'?' || c == U'!') && i > 0 && before != NO_BREAK)
            faults.push_back("no no-break space before \"" + encodeUtf8(c) + "\"");
        if (language == "fr" && ((c == U'«' && after != NO_BREAK) || (c == U'»' && before != NO_BREAK)))
            faults.push_back("no no-break space inside « »");
        bool alone = isCyrillic(c) && !isLetter(before) && !isLetter(after);
        if (language == "ru" && alone && after == U' ')
            faults.push_back("the one-letter word \"" + encodeUtf8(c) +
                             "\" may end a line: hold it with a no-break space");
    }
    return faults;
}

}  // namespace

std::string shownText(const std::string& markup)
{
    std::string out;
    for (size_t i = 0; i < markup.size(); ++i) {
        if (markup[i] != '<') {
            out += markup[i];
            continue;
        }
        size_t close = markup.find('>', i);
        if (close == std::string::npos)
            break;
        out += ' ';  // a tag separates words
        i = close;
    }
    return out;
}

std::vector<std::string> textRuleFaults(const TextTable& strings, const std::string& language)
{
    std::vector<std::string> faults;
    for (const auto& [key, value] : strings.entries) {
        if (value.rfind("http", 0) == 0)
            continue;  // an address, not a text
        // The controls' action names are one list: its separators are no punctuation.
        for (const std::string& part : key == "CTRL_ACTIONS" ? splitList(value, ';') : std::vector<std::string>{value})
            for (const std::string& f : shownFaults(decodeUtf8(shownText(part)), language))
                faults.push_back(key + ": " + f);
    }
    const std::string *newGame = strings.find("NEW_GAME"), *restart = strings.find("RESTART_LEVEL");
    if (newGame && restart && *newGame == *restart)
        faults.push_back("NEW_GAME and RESTART_LEVEL read alike");
    const std::string *question = strings.find("TERMINATE_CURRENT_GAME"), *carryOn = strings.find("CONTINUE");
    if (question && carryOn && lastWord(decodeUtf8(*question)) == lastWord(decodeUtf8(*carryOn)))
        faults.push_back("TERMINATE_CURRENT_GAME ends in the word of CONTINUE: \"yes\" would read as going on");
    return faults;
}

}  // namespace datagen
