// The ball painter and the small picture effects the art is made of.
#include "ArtKit.h"

#include <algorithm>
#include <cmath>

namespace datagen {

Rgba ballColour(int colour)
{
    static const uint32_t table[COLOURS] = {0xE2574C, 0x4DB35A, 0x3E84DB, 0xF0BE2E, 0x9B5FD0};
    return rgb(table[colour % COLOURS]);
}

void paintSymbol(Canvas& c, float cx, float cy, float size, int colour, const Rgba& ink)
{
    float h = size / 2;
    switch (colour % COLOURS) {
    case 0: {  // plus
        float arm = std::max(2.0f, std::round(size / 8) * 2) / 2;
        c.fillPolygon({cx - arm, cy - h, cx + arm, cy - h, cx + arm, cy + h, cx - arm, cy + h}, ink);
        c.fillPolygon({cx - h, cy - arm, cx + h, cy - arm, cx + h, cy + arm, cx - h, cy + arm}, ink);
        break;
    }
    case 1:  // triangle
        c.fillPolygon({cx, cy - h, cx + h, cy + h, cx - h, cy + h}, ink);
        break;
    case 2: {  // square
        float side = h - std::max(1.0f, std::round(size / 8));
        c.fillPolygon({cx - side, cy - side, cx + side, cy - side, cx + side, cy + side, cx - side, cy + side}, ink);
        break;
    }
    case 3: {  // ring
        float width = std::max(1.3f, size / 5);
        c.strokeArc(cx, cy, h - width / 2, 0, 2 * float(M_PI), width, ink);
        break;
    }
    default: {  // cross
        float reach = h - 0.4f, width = std::max(1.6f, size / 4);
        c.strokeLine(cx - reach, cy - reach, cx + reach, cy + reach, width, ink);
        c.strokeLine(cx + reach, cy - reach, cx - reach, cy + reach, width, ink);
    }
    }
}

static void paintFace(Canvas& c, float cx, float cy, float r, Mood mood)
{
    const Rgba ink = rgb(0x2A1E1A);
    float ex = r * 0.3f, ey = cy + r * 0.02f, er = std::max(0.8f, r * 0.11f);
    float line = std::max(0.9f, r * 0.1f);
    if (mood == Mood::Excited) {
        // Eyes closed with joy, mouth wide open, rosy cheeks.
        for (int s = -1; s <= 1; s += 2)
            c.strokeArc(cx + s * ex, ey + er * 0.6f, er * 1.2f, float(M_PI) * 1.1f, float(M_PI) * 1.9f, line, ink);
        c.fillDistance(
            [=](float x, float y) {
                float dx = (x - cx) / (r * 0.34f), dy = (y - (cy + r * 0.3f)) / (r * 0.3f);
                float d = (std::hypot(dx, dy) - 1.0f) * r * 0.3f;
                return std::max(d, cy + r * 0.3f - y);
            },
            [](float, float) { return rgb(0x7A2430); });
        for (int s = -1; s <= 1; s += 2)
            c.fillEllipse(cx + s * r * 0.52f, cy + r * 0.25f, r * 0.13f, r * 0.08f, rgb(0xFF9A9A, 0.55f));
        return;
    }
    for (int s = -1; s <= 1; s += 2) {
        c.fillCircle(cx + s * ex, ey, er, ink);
        c.fillCircle(cx + s * ex + er * 0.35f, ey - er * 0.35f, er * 0.38f, rgb(0xFFFFFF, 0.9f));
    }
    if (mood == Mood::Pleased)
        c.strokeArc(cx, cy + r * 0.12f, r * 0.3f, float(M_PI) * 0.2f, float(M_PI) * 0.8f, line, ink);
    else
        c.strokeLine(cx - r * 0.17f, cy + r * 0.4f, cx + r * 0.17f, cy + r * 0.4f, line, ink);
}

Rgba symbolInk(int colour)
{
    return shade(ballColour(colour), 0.25f);
}

// Symbol boxes are whole even pixels, so that on a ball centred on a pixel corner their
// straight edges fall on pixel edges and stay sharp at the smallest sizes.
static float evenPixels(float size)
{
    return std::max(4.0f, 2 * std::round(size / 2));
}

void paintBall(Canvas& c, float cx, float cy, float r, int colour, const BallLook& look)
{
    Rgba base = ballColour(colour);
    Rgba rim = shade(base, 0.45f);
    float rx = r * look.squashX, ry = r * look.squashY;
    c.fillEllipse(cx, cy, rx, ry, rim);
    float inset = std::max(0.8f, r * 0.09f);
    float hx = cx - rx * 0.35f, hy = cy - ry * 0.4f;
    c.fillDistance(
        [=](float x, float y) {
            float m = std::min(rx, ry) - inset;
            return (std::hypot((x - cx) / (rx - inset), (y - cy) / (ry - inset)) - 1.0f) * m;
        },
        [=](float x, float y) {
            float t = std::min(1.0f, std::hypot(x - hx, y - hy) / (1.5f * r));
            Rgba col = mix(shade(base, 1.45f), base, std::min(1.0f, t * 1.6f));
            float edge = std::min(1.0f, std::hypot((x - cx) / rx, (y - cy) / ry));
            return shade(col, 1.0f - 0.35f * edge * edge * edge);
        });
    // The shine sits on the rim, clear of the symbol: a light mark is never a symbol, all
    // symbols being dark.
    c.fillEllipse(cx - rx * 0.55f, cy - ry * 0.58f, rx * 0.14f, ry * 0.1f, rgb(0xFFFFFF, 0.75f));
    bool face = look.mood != Mood::None;
    if (look.symbol) {
        if (face)  // above the face, inside the rim even at its corners
            paintSymbol(c, cx, std::round(cy - ry * 0.3f), evenPixels(r * 0.8f), colour, symbolInk(colour));
        else
            paintSymbol(c, cx, cy, evenPixels(r * 1.1f), colour, symbolInk(colour));
    }
    if (face)
        paintFace(c, cx, cy + ry * 0.42f, std::min(rx, ry) * 0.75f, look.mood);
}

Canvas outlined(const Canvas& src, float radius, const Rgba& colour)
{
    int pad = int(std::ceil(radius));
    Canvas out(src.width() + 2 * pad, src.height() + 2 * pad);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            float best = 0;
            for (int j = -pad; j <= pad; ++j)
                for (int i = -pad; i <= pad; ++i) {
                    int sx = x - pad + i, sy = y - pad + j;
                    if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height())
                        continue;
                    float d = std::hypot(float(i), float(j));
                    float weight = std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
                    best = std::max(best, src.at(sx, sy).a * weight);
                }
            out.blend(x, y, colour, best);
        }
    out.draw(src, pad, pad);
    return out;
}

Canvas shadowed(const Canvas& src, int dx, int dy, const Rgba& colour)
{
    Canvas out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            int sx = x - dx, sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < src.width() && sy < src.height())
                out.blend(x, y, colour, src.at(sx, sy).a);
        }
    out.draw(src, 0, 0);
    return out;
}

Canvas calmBackground(int w, int h, uint32_t top, uint32_t bottom, uint32_t seed, float lights)
{
    Canvas c(w, h);
    Rgba a = rgb(top), b = rgb(bottom);
    for (int y = 0; y < h; ++y) {
        Rgba row = mix(a, b, float(y) / std::max(1, h - 1));
        for (int x = 0; x < w; ++x) {
            // A faint diagonal weave keeps large areas from looking flat.
            float weave = 0.008f * std::sin((x + y) * 0.35f) * std::sin((x - y) * 0.35f);
            c.at(x, y) = shade(row, 1.0f + weave);
        }
    }
    Dice dice(seed);
    int count = int(lights * w * h / 4000.0f);
    for (int i = 0; i < count; ++i) {
        float x = dice.unit() * w, y = dice.unit() * h;
        float r = (0.03f + dice.unit() * 0.09f) * std::min(w, h);
        float alpha = 0.03f + dice.unit() * 0.05f;
        c.fillCircle(x, y, r, [=](float px, float py) {
            float t = std::hypot(px - x, py - y) / r;
            return Rgba{1, 1, 1, alpha * (1.0f - t * t)};
        });
    }
    return c;
}

}  // namespace datagen
