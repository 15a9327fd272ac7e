// Host keys to runtime keys, by table for each platform type.
#include "shell/KeyTranslation.h"

namespace {

struct KeyRule {
    int hostKey;
    int key;
};

// F1 and F2 are the soft keys in every phase: a release left as F1 would never clear the soft
// key's flag, and the GUI would repeat the soft key.
const KeyRule POCKET_PC_KEYS[] = {
    {0x5B, NO_KEY}, {0xC1, 10000}, {0xC2, 10004}, {0xC3, 10003}, {0xC4, 10001},
    {0x0D, 10002},  {0x1B, 10001}, {0x70, 10000}, {0x71, 10001},
};

const KeyRule SMARTPHONE_KEYS[] = {
    {0x70, 10000}, {0x71, 10001}, {0x0D, 10002}, {0x1B, 10001},
    {0x77, 10004}, {0x78, 10003}, {0x72, NO_KEY}, {0x73, NO_KEY},
};

// F13 to F24 have no meaning on a Pocket PC.
const int POCKET_PC_DROPPED_FIRST = 0x7C, POCKET_PC_DROPPED_LAST = 0x87;

const int32_t POCKET_PC_TABLE_SOURCE[25] = {0xC3, 0xC2, 0xC1, 0xC4, 0x65, 0x0D, 0x64, 0x66, 0x68,
                                            0x62, 0x62, 0x25, 0x27, 0x26, 0x28, 0x30, 0x31, 0x32,
                                            0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39};
const int32_t SMARTPHONE_TABLE_SOURCE[25] = {0x78, 0x77, 0x70, 0x1B, 0x71, 0x65, 0x0D, 0x64, 0x66,
                                             0x68, 0x62, 0x25, 0x27, 0x26, 0x28, 0x30, 0x31, 0x32,
                                             0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39};

template <size_t N>
int applyRules(const KeyRule (&rules)[N], int hostKey)
{
    for (const KeyRule& r : rules)
        if (r.hostKey == hostKey)
            return r.key;
    return hostKey;
}

} // namespace

int translateKey(bool smartphone, int hostKey)
{
    if (smartphone)
        return applyRules(SMARTPHONE_KEYS, hostKey);
    if (hostKey >= POCKET_PC_DROPPED_FIRST && hostKey <= POCKET_PC_DROPPED_LAST)
        return NO_KEY;
    return applyRules(POCKET_PC_KEYS, hostKey);
}

void fillKeyTable(bool smartphone, KeyTableEntry (&table)[KEY_TABLE_SIZE])
{
    const int32_t* source = smartphone ? SMARTPHONE_TABLE_SOURCE : POCKET_PC_TABLE_SOURCE;
    for (int i = 0; i < KEY_TABLE_SIZE; ++i) // the source's 25th entry, digit 9, has no slot
        table[i] = KeyTableEntry{source[i], {0, 0}};
}
