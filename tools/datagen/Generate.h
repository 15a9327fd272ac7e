// The whole data set: reads the sources, draws and renders everything, checks it, names the members.
#pragma once

#include "Members.h"
#include "Texts.h"

#include <string>
#include <vector>

namespace datagen {

struct Sources {
    std::string dataDir;   // data/: texts, levels, music scores
    std::string fontDir;   // the TrueType faces
    std::string soxPath;   // encoder of the compressed sound; empty: that sound is not made
    std::string vendorUrl; // the maker's site for the about screen; empty: none is shown
};

// The whole file; throws std::runtime_error when it cannot be read.
std::string readFile(const std::string& path);

// Loads every text table of data/texts, sorted by file name.
std::vector<TextTable> loadTextTables(const std::string& dataDir);
// The link file: the maker's site, checked to be empty or an http(s) address the game can open.
TextTable linkTable(const std::string& vendorUrl);
// Every character any shipped text may show.
std::u32string textCharacters(const std::vector<TextTable>& tables);

Members generate(const Sources& sources);

// Faults of a finished data set (missing names, keys, glyphs, clashing names); empty when complete.
std::vector<std::string> checkMembers(const Members& members);

}  // namespace datagen
