// The symbol check: each symbol's ink is found by drawing its ball with and without it.
#include "SymbolCheck.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

// Two symbols differ by at least this many pixels however one is shifted by a pixel.
constexpr int MIN_DIFFERENT_PIXELS = 4;
// The symbol's ink is this much darker than the ball under it, on average.
constexpr float MIN_CONTRAST = 0.3f;

float luminance(const Rgba& c)
{
    return (0.3f * c.r + 0.59f * c.g + 0.11f * c.b) * c.a;
}

struct Ink {
    std::vector<bool> mask;
    float contrast = 0;  // mean darkening over the mask
    bool lighter = false;
};

Ink symbolInk(int size, float r, const BallLook& look, int colour)
{
    Canvas with(size, size), without(size, size);
    float c = size / 2.0f;
    BallLook plain = look;
    plain.symbol = false;
    paintBall(with, c, c, r, colour, look);
    paintBall(without, c, c, r, colour, plain);
    Ink ink;
    ink.mask.resize(size_t(size) * size);
    int count = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float drop = luminance(without.at(x, y)) - luminance(with.at(x, y));
            ink.lighter = ink.lighter || drop < -0.1f;
            if (drop > 0.15f) {
                ink.mask[size_t(y) * size + x] = true;
                ink.contrast += drop, ++count;
            }
        }
    ink.contrast = count ? ink.contrast / count : 0;
    return ink;
}

int leastDifference(const std::vector<bool>& a, const std::vector<bool>& b, int size)
{
    int least = size * size;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int differing = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    int sx = x + dx, sy = y + dy;
                    bool other = sx >= 0 && sy >= 0 && sx < size && sy < size && b[size_t(sy) * size + sx];
                    differing += a[size_t(y) * size + x] != other;
                }
            least = std::min(least, differing);
        }
    return least;
}

}  // namespace

std::vector<std::string> symbolFaults(int size, float radius, const BallLook& look)
{
    std::vector<std::string> faults;
    std::vector<Ink> inks;
    std::string where = " on balls of " + std::to_string(size) + " pixels";
    for (int colour = 0; colour < COLOURS; ++colour) {
        inks.push_back(symbolInk(size, radius, look, colour));
        if (inks.back().lighter)
            faults.push_back("the symbol of colour " + std::to_string(colour) + " is lighter than its ball" + where);
        if (inks.back().contrast < MIN_CONTRAST)
            faults.push_back("the symbol of colour " + std::to_string(colour) + " is too faint" + where);
    }
    for (int a = 0; a < COLOURS; ++a)
        for (int b = a + 1; b < COLOURS; ++b)
            if (leastDifference(inks[size_t(a)].mask, inks[size_t(b)].mask, size) < MIN_DIFFERENT_PIXELS)
                faults.push_back("the symbols of colours " + std::to_string(a) + " and " + std::to_string(b) +
                                 " look alike" + where);
    return faults;
}

}  // namespace datagen
