// Host keys to runtime keys on the two platform types, and the shell's key table.
#pragma once

#include <cstddef>
#include <cstdint>

// Which event the key takes part in.
enum class KeyPhase { PRESSED, REPEATED, RELEASED };

const int NO_KEY = -1; // the key is dropped

// The same in every phase, so a key's press, repeats and release always agree.
int translateKey(bool smartphone, int hostKey);

// 24 entries of a host key followed by two words cleared to 0.
struct KeyTableEntry {
    int32_t hostKey;
    int32_t reserved[2];
};
const int KEY_TABLE_SIZE = 24;
void fillKeyTable(bool smartphone, KeyTableEntry (&table)[KEY_TABLE_SIZE]);
