// Text data: language string files, the language index, link files and resolution files.
#pragma once

#include "Bytes.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace datagen {

// One source file of KEY=value lines, in the order written.
struct TextTable {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;

    const std::string* find(const std::string& key) const;
};

// Parses KEY=value lines: '#' starts a comment line, "\n" in a value is a line feed, "~" a no-break
// space, "\~" a tilde and "\\" a backslash.
// Throws std::runtime_error naming the file and line of a fault.
TextTable parseTextTable(const std::string& name, const std::string& source);

// The game's language-file encoding: one stream string per "KEY=value" entry.
Bytes encodeLanguageFile(const TextTable& table);
// The plain-text encoding of resolution files: ASCII lines ending in CR LF.
Bytes encodeTextFile(const std::vector<std::pair<std::string, std::string>>& entries);

// The letters and signs of every language offered, whether or not a text uses them yet: the
// player's name on the high-score tables may hold any of them.
const std::u32string& alphabet();

// Every key a screen of the game looks up in a language's string file.
const std::vector<std::string>& requiredTextKeys();
// Keys whose text must hold these tokens for the screens to fill them in.
const std::map<std::string, std::vector<std::string>>& requiredTokens();

}  // namespace datagen

namespace datagen {
// Why the game's markup parser would throw on, or silently drop part of, a text; empty when sound.
std::vector<std::string> markupFaults(const std::string& text);
// Splits at every separator, keeping empty parts, as the game does.
std::vector<std::string> splitList(const std::string& text, char separator);
// Lines a text widget needs for the markup in a box of the given width: <BR> ends a line, words
// wrap greedily one space apart, other tags take no room and a token shows as two digits.
int wrappedLines(const std::string& markup, int box, const std::function<int(const std::u32string&)>& width);
}  // namespace datagen
