// Tracker modules: the 31-instrument layout with 4 ("M.K.") or more ("8CHN") tracks.
#pragma once

#include "Bytes.h"

#include <string>
#include <vector>

namespace datagen {

struct Instrument {
    std::string name;
    std::vector<int8_t> data;  // even length
    int volume = 64;
    int loopStart = 0, loopLength = 0;  // bytes; loopLength 0: plays once
};

struct Note {
    int instrument = 0;  // 1..31, 0 none
    int period = 0;      // 0 none
    int effect = 0, param = 0;
};

struct Pattern {
    explicit Pattern(int tracks) : tracks(tracks), cells(size_t(64 * tracks)) {}
    int tracks;
    std::vector<Note> cells;
    Note& at(int row, int track) { return cells[size_t(row * tracks + track)]; }
    const Note& at(int row, int track) const { return cells[size_t(row * tracks + track)]; }
};

struct Module {
    std::string title;
    int tracks = 4;
    std::vector<Instrument> instruments;  // at most 31
    std::vector<Pattern> patterns;
    std::vector<int> order;  // pattern numbers, 1..128 entries
};

// Period of a note of the 84-note table (0 = C of the lowest octave, 1712), finetune 0.
int notePeriod(int index);
Bytes encodeModule(const Module& m);

// What the game's player would not play as written: loud or overlong instrument settings,
// notes off the period table or of empty instruments, effects it ignores. Empty when none.
std::vector<std::string> moduleFaults(const Module& m);

}  // namespace datagen
