// Texts that must fit the boxes the screens give them, checked for one screen profile.
#pragma once

#include "MenuArt.h"
#include "Texts.h"

#include <functional>
#include <string>
#include <vector>

namespace datagen {

struct FontMeasure {
    int height;
    std::function<int(const std::u32string&)> width;
};

// Why a language's texts would not fit this screen: a menu item or level name longer than its
// plate, a word of the about or help text (the maker's address included) wider than the text,
// a more-games entry taller than its place in the list. Empty when they fit.
std::vector<std::string> textFitFaults(const Profile& p, const TextTable& strings, const FontMeasure& menu,
                                       const FontMeasure& game, const TextHeights& heights,
                                       const std::string& vendorUrl);

}  // namespace datagen
