// Shared art: the palette, the ball painter with its moods and symbols, outlines and shadows.
#pragma once

#include "Canvas.h"

namespace datagen {

constexpr int COLOURS = 5;

// Ball colours, and the symbol each carries so that colour-blind players can tell them apart.
Rgba ballColour(int colour);
enum class Mood { None, Neutral, Pleased, Excited };

struct BallLook {
    float squashX = 1.0f, squashY = 1.0f;
    Mood mood = Mood::None;
    bool symbol = true;
};
void paintBall(Canvas& c, float cx, float cy, float r, int colour, const BallLook& look);
// The symbol of a colour alone, in a box of the given side: 0 plus, 1 triangle, 2 square, 3 ring,
// 4 cross. Balls draw them dark on their own colour.
void paintSymbol(Canvas& c, float cx, float cy, float size, int colour, const Rgba& ink);
Rgba symbolInk(int colour);

// A copy of the picture ringed by an outline of the given colour and radius.
Canvas outlined(const Canvas& src, float radius, const Rgba& colour);
// A copy with a soft shadow offset by (dx, dy) behind it; the result is as large as the source.
Canvas shadowed(const Canvas& src, int dx, int dy, const Rgba& colour);

// Calm background: vertical gradient with soft round lights scattered by a fixed seed.
Canvas calmBackground(int w, int h, uint32_t top, uint32_t bottom, uint32_t seed, float lights);

// A deterministic pseudo-random sequence (the data must be the same on every build).
class Dice {
public:
    explicit Dice(uint32_t seed) : state(seed * 2654435761u + 1) {}
    uint32_t next()
    {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        return state;
    }
    float unit() { return (next() & 0xFFFFFF) / float(0x1000000); }

private:
    uint32_t state;
};

}  // namespace datagen
