// The start-up picture: a ball in the game's style, kept as a character table.
#include "shell/SplashPicture.h"

#include <cstring>

namespace {

const char* const BALL[] = {
    "......aaaa......",
    "....aabbbbaa....",
    "...abccbbbbba...",
    "..abccccbbbbba..",
    ".abbccbbbbbbbba.",
    ".abbbbbbbbbbbba.",
    "abbbbbbbbbbbbbba",
    "abbbbbbbbbbbbbda",
    "abbbbbbbbbbbbdda",
    "abbbbbbbbbbbbdda",
    ".abbbbbbbbbbdda.",
    ".abbbbbbbbbddda.",
    "..abbbbbbdddda..",
    "...abbdddddda...",
    "....aaddddaa....",
    "......aaaa......",
};
const int SIDE = 16;
const int SCALE = 4;

struct PaletteEntry {
    char code;
    uint16_t colour;
};

const PaletteEntry PALETTE[] = {
    {'a', 0x2104}, // outline
    {'b', 0x1B5F}, // ball
    {'c', 0xDF1F}, // highlight
    {'d', 0x0A2E}, // shade
};

// White for the background and for anything the palette does not name.
uint16_t colourOf(char code)
{
    for (const PaletteEntry& p : PALETTE)
        if (p.code == code)
            return p.colour;
    return 0xFFFF;
}

} // namespace

void drawSplashPicture(host::Surface& screen)
{
    int size = SIDE * SCALE;
    int left = (screen.width - size) >> 1, top = (screen.height - size) >> 1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (screen.contains(left + x, top + y))
                screen.row(top + y)[left + x] = colourOf(BALL[y / SCALE][x / SCALE]);
}
