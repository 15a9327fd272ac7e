// Rules a language file keeps beyond its keys, tokens and markup: typography, and answers a player
// could mistake for one another.
#pragma once

#include "Texts.h"

#include <string>
#include <vector>

namespace datagen {

// What a text shows: its markup without the tags.
std::string shownText(const std::string& markup);

// Faults of one language's strings (`language` is its id: "fr" and "ru" have rules of their own):
// typewriter quotes; "×" without a no-break space on each side; in French a plain space or none
// before ":", ";", "?", "!" and inside « »; in Russian a one-letter word before a plain space,
// where a line could end on it; "new game" labelled like "restart level"; and the question that
// ends a game ending in the menu's word for going on with it.
std::vector<std::string> textRuleFaults(const TextTable& strings, const std::string& language);

}  // namespace datagen
