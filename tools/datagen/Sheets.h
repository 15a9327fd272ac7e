// Contact sheets: one picture per profile showing every sprite frame, font page and level board.
#pragma once

#include "Members.h"

#include <string>

namespace datagen {

// Reads the members back as the game would and writes "sheet-<w>x<h>.png" files into dir.
void writeContactSheets(const Members& m, const std::string& dir, const std::string& labelFontPath);

}  // namespace datagen
