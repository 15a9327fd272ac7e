// The tune instruments, synthesised as looping single-cycle voices and one-shot drums.
#pragma once

#include "Module.h"

namespace datagen {

// Instrument numbers, 1-based as the patterns name them.
enum InstrumentId { FLUTE = 1, BELL, PLUCK, PAD, BASS, KICK, SNARE, HAT };

std::vector<Instrument> synthInstruments();
// Table index of a MIDI note for an instrument; throws when outside the 84 notes.
int tableIndex(InstrumentId id, int midi);
// The table index at which a drum sample plays at its recorded rate.
constexpr int DRUM_INDEX = 36;

}  // namespace datagen
