// Sounds and tunes: the sound table's names, wave effects, tracker modules, and their checks.
#pragma once

#include "Members.h"

#include <string>
#include <vector>

namespace datagen {

struct SoundName {
    const char* name;
    bool tune;  // a module, else a wave effect
};
// The fourteen sounds the game plays, in the game's numbering.
const std::vector<SoundName>& soundTable();

// Synthesises the wave effects; the compressed ones are encoded by sox (which must be present).
void addSounds(Members& m, const std::string& soxPath);
// Writes the tunes from the scores in musicDir.
void addTunes(Members& m, const std::string& musicDir);

// Why the game would not play the tune, or would play it too short before it loops; empty when
// it is fit.
std::string moduleFault(const Bytes& mod);

}  // namespace datagen
