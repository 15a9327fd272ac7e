// Drawing of the board pictures and of the game screen's sprites for one profile.
#include "GameArt.h"

#include "ArtKit.h"
#include "SymbolCheck.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace datagen {

namespace {
const Rgba DARK_MATTE = rgb(0x1B2A33);
// Ball radius as a part of its cell, and of a next-ball icon.
constexpr float BALL_RADIUS = 0.42f, ICON_BALL_RADIUS = 0.46f;
const Rgba FRAME_WOOD = rgb(0xB9874F);

Canvas ballPicture(int size, float cx, float cy, float r, int colour, const BallLook& look)
{
    Canvas c(size, size);
    paintBall(c, cx, cy, r, colour, look);
    return c;
}

Part at(int image, int x = 0, int y = 0)
{
    Part p;
    p.image = image, p.x = x, p.y = y;
    return p;
}

Animation still(int image, int x = 0, int y = 0)
{
    return Animation{{Frame{at(image, x, y)}}, {}};
}
}  // namespace

int timeBarHeight(const Profile& p)
{
    return std::max(6, p.cell / 3);
}

int timeBarEdge(const Profile& p)
{
    return std::max(1, p.cell / 12);
}

static Canvas floorTile(const Profile& p)
{
    int s = p.cell;
    Canvas c(s, s);
    Rgba face = rgb(0xECE4D0), light = rgb(0xFFFBF0), dark = rgb(0xB9AE95);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            float t = float(x + y) / (2 * s);
            c.at(x, y) = mix(shade(face, 1.06f), shade(face, 0.97f), t);
        }
    int b = std::max(1, s / 16);
    c.fillRect(0, 0, s, b, light);
    c.fillRect(0, 0, b, s, light);
    c.fillRect(0, s - b, s, b, dark);
    c.fillRect(s - b, 0, b, s, dark);
    // A soft dimple in the middle shows where a ball rests.
    c.fillCircle(s / 2.0f, s / 2.0f, s * 0.3f, [=](float x, float y) {
        float t = std::hypot(x - s / 2.0f, y - s / 2.0f) / (s * 0.3f);
        return Rgba{0.55f, 0.5f, 0.4f, 0.10f * (1 - t)};
    });
    return c;
}

// Strip profile across the frame's thickness, symmetric so every turned copy matches.
static Rgba frameShade(float across)
{
    float bump = 1.0f - std::fabs(across * 2 - 1);
    return shade(FRAME_WOOD, 0.62f + 0.55f * bump);
}

static Canvas borderStrip(const Profile& p)
{
    Canvas c(p.cell, p.border);
    for (int y = 0; y < p.border; ++y)
        for (int x = 0; x < p.cell; ++x)
            c.at(x, y) = frameShade((y + 0.5f) / p.border);
    return c;
}

// A mitred square: every ring of the strip's profile turns on the diagonal. The profile being
// symmetric, the same picture joins the strips at the board's outer corners and, turned the
// other way in a hole, at its inner ones.
static Canvas borderCorner(const Profile& p)
{
    int t = p.border;
    Canvas c(t, t);
    for (int y = 0; y < t; ++y)
        for (int x = 0; x < t; ++x)
            c.at(x, y) = frameShade(std::max(t - x - 0.5f, t - y - 0.5f) / t);
    return c;
}

// The panel is assembled on a white image and blended, so its pieces are opaque rectangles.
static std::vector<Picture> titlePieces(const Profile& p)
{
    int h = p.panel, end = std::max(4, h / 2);
    Rgba fill = rgb(0x17323F), rim = rgb(0x8FB8C4);
    auto inner = [&](int y) { return mix(shade(fill, 1.3f), fill, float(y) / h); };
    Canvas middle(std::max(4, h / 4), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < middle.width(); ++x)
            middle.at(x, y) = (y == 0 || y == h - 1) ? rim : inner(y);
    Canvas left(end, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < end; ++x)
            left.at(x, y) = (y == 0 || y == h - 1 || x == 0) ? rim : inner(y);
    // A small gem on the end piece.
    float g = std::max(1.5f, h * 0.12f);
    left.fillCircle(end * 0.55f, h / 2.0f, g, rgb(0xF0C75E));
    Canvas right(end, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < end; ++x)
            right.at(x, y) = left.at(end - 1 - x, y);
    return {{"img/titlel", left, DARK_MATTE, false},
            {"img/titlem", middle, DARK_MATTE, false},
            {"img/titler", right, DARK_MATTE, false}};
}

static std::vector<Picture> barTiles(const Profile& p)
{
    int h = timeBarHeight(p), w = 8;
    Canvas back(w, h), sel(w, h);
    for (int y = 0; y < h; ++y) {
        float t = (y + 0.5f) / h;
        for (int x = 0; x < w; ++x) {
            back.at(x, y) = mix(rgb(0x0C1A22), rgb(0x29414D), t);
            Rgba fill = mix(rgb(0x9BE3FF), rgb(0x2D8CC4), t);
            if (y == h / 3)
                fill = shade(fill, 1.25f);
            sel.at(x, y) = fill;
        }
    }
    return {{"pbar_back", back, DARK_MATTE, false}, {"pbar_sel", sel, DARK_MATTE, false}};
}

std::vector<Picture> boardPictures(const Profile& p)
{
    std::vector<Picture> out;
    out.push_back({"img/back", calmBackground(p.width, p.height, 0x24566A, 0x132B38, 7, 1.0f), DARK_MATTE, false});
    out.push_back({"img/square", floorTile(p), DARK_MATTE, false});
    out.push_back({"img/border", borderStrip(p), DARK_MATTE, false});
    out.push_back({"img/corner", borderCorner(p), DARK_MATTE, false});
    for (Picture& t : titlePieces(p))
        out.push_back(std::move(t));
    for (Picture& t : barTiles(p))
        out.push_back(std::move(t));
    return out;
}

// ---- sprites ----

static void addBallSet(SpriteSet& set, const Profile& p, int colour)
{
    int s = p.cell;
    float c = s / 2.0f, r = s * BALL_RADIUS;
    auto face = [&](Mood m, float sx = 1, float sy = 1, float dy = 0) {
        BallLook look;
        look.mood = m, look.squashX = sx, look.squashY = sy;
        return set.image(ballPicture(s, c, c + dy, r, colour, look));
    };
    int neutral = face(Mood::Neutral);
    set.add(still(neutral));                    // 0 neutral
    set.add(still(face(Mood::Pleased)));        // 1 pleased
    set.add(still(face(Mood::Excited)));        // 2 excited
    BallLook small;
    set.add(still(set.image(ballPicture(s, c, c, r * 0.42f, colour, small))));  // 3 preview

    Animation grow;  // 4 appearing: from the preview size up, with a little overshoot
    for (float k : {0.5f, 0.62f, 0.75f, 0.88f, 1.04f, 1.0f}) {
        BallLook look;
        look.mood = k > 0.8f ? Mood::Neutral : Mood::None;
        look.symbol = true;
        grow.frames.push_back({at(set.image(ballPicture(s, c, c, r * k, colour, look)))});
    }
    set.add(grow);

    Animation vanish;  // 5 vanishing: shrinks while sparks fly out
    for (int f = 0; f < 6; ++f) {
        Canvas pic(s, s);
        float k = 1.0f - f / 6.0f;
        BallLook look;
        look.mood = f < 2 ? Mood::Excited : Mood::None;
        if (f < 5)
            paintBall(pic, c, c, r * k, colour, look);
        for (int i = 0; i < 6; ++i) {
            float a = float(M_PI) * i / 3 + f * 0.2f, d = r * (0.4f + f * 0.13f);
            pic.fillCircle(c + d * std::cos(a), c + d * std::sin(a), std::max(0.8f, r * 0.12f * (1.2f - f / 6.0f)),
                           shade(ballColour(colour), 1.5f));
        }
        vanish.frames.push_back({at(set.image(pic))});
    }
    set.add(vanish);

    Animation bounce;  // 6 selected: hops on the spot, squashing when it lands
    int landed = face(Mood::Pleased, 1.1f, 0.88f, r * 0.1f);
    int up = face(Mood::Pleased);
    const int lift[] = {0, 1, 2, 3, 3, 2, 1, 0};
    int step = std::max(1, s / 12);
    for (int f = 0; f < 8; ++f)
        bounce.frames.push_back({at(f == 0 ? landed : up, 0, -lift[f] * step)});
    set.add(bounce);
}

static Animation particle(SpriteSet& set, const Profile& p)
{
    int s = std::max(5, p.cell * 2 / 5);
    Animation a;
    for (int f = 0; f < 4; ++f) {
        Canvas pic(s, s);
        float c = s / 2.0f, rot = f * float(M_PI) / 8;
        for (int i = 0; i < 4; ++i) {
            float ang = rot + i * float(M_PI) / 2;
            pic.strokeLine(c, c, c + std::cos(ang) * c * 0.9f, c + std::sin(ang) * c * 0.9f, std::max(1.0f, s / 7.0f),
                           rgb(0xE8F6FF, 0.7f));
        }
        pic.fillCircle(c, c, s * 0.18f, rgb(0xFFFFFF, 0.9f));
        a.frames.push_back({at(set.image(pic))});
    }
    return a;
}

static Animation indicator(SpriteSet& set, const Profile& p, uint32_t colour)
{
    int s = std::max(6, timeBarHeight(p) + 2);
    int dy = -timeBarHeight(p) / 2 - s / 2;
    Animation a;
    for (float glow : {1.0f, 1.2f, 1.35f, 1.2f}) {
        Canvas pic(s, s);
        float c = s / 2.0f;
        pic.fillCircle(c, c, c, rgb(0x10202A));
        pic.fillCircle(c, c, c - 1.2f, [&](float x, float y) {
            float t = std::hypot(x - c * 0.7f, y - c * 0.7f) / s;
            return shade(rgb(colour), glow + 0.4f - t);
        });
        a.frames.push_back({at(set.image(pic), -s / 2, dy)});
    }
    return a;
}

static Animation cursor(SpriteSet& set, const Profile& p)
{
    int s = p.cell + 2;
    Animation a;
    for (float alpha : {1.0f, 0.7f}) {
        Canvas pic(s, s);
        float len = s * 0.32f, w = std::max(1.5f, s / 10.0f), e = w / 2 + 0.5f;
        Rgba ink = rgb(0xFFFFFF, alpha);
        const float corners[4][4] = {{e, e, 1, 1}, {s - e, e, -1, 1}, {e, s - e, 1, -1}, {s - e, s - e, -1, -1}};
        for (const auto& k : corners) {
            pic.strokeLine(k[0], k[1], k[0] + k[2] * len, k[1], w, ink);
            pic.strokeLine(k[0], k[1], k[0], k[1] + k[3] * len, w, ink);
        }
        Canvas framed = outlined(pic, 1.0f, rgb(0x1B2A33, alpha));
        a.frames.push_back({at(set.image(framed), -framed.width() / 2, -framed.height() / 2)});
    }
    return a;
}

static Rgba stageColour(int k)
{
    static const uint32_t stages[game_anim::BAR_STAGES] = {0xD9483B, 0xE8793A, 0xF0A83A, 0xE9D24A,
                                                           0xB5D34F, 0x6CC25A, 0x3FB38A};
    return rgb(stages[k]);
}

static void addTimeBar(SpriteSet& set, const Profile& p)
{
    int h = timeBarHeight(p), e = timeBarEdge(p), capW = std::max(3, p.cell / 4);
    int tile = 16, longest = 9 * p.cell;
    for (int k = 0; k < game_anim::BAR_STAGES; ++k) {
        Rgba col = stageColour(k);
        Canvas edge(tile, e);
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < tile; ++x)
                edge.at(x, y) = shade(col, y == 0 ? 1.15f : 0.9f);
        int edgeImage = set.image(edge);
        Frame strip;
        for (int x = 0; x < longest; x += tile)
            strip.push_back(at(edgeImage, x, 0));
        Canvas cap(capW, h + 2 * e);
        cap.fillRoundRect(0, 0, capW * 2.0f, h + 2.0f * e, capW * 0.9f, shade(col, 0.6f));
        cap.fillRoundRect(1, 1, capW * 2.0f - 2, h + 2.0f * e - 2, capW * 0.8f, [&](float, float y) {
            return shade(col, 1.25f - 0.4f * y / (h + 2 * e));
        });
        int capImage = set.image(cap);
        set.add(Animation{{strip}, {}});  // lower edge
        set.add(still(capImage));         // left end
        Part mirrored = at(capImage);
        mirrored.mirror = true;
        set.add(Animation{{Frame{mirrored}}, {}});  // right end
        set.add(Animation{{strip}, {}});            // upper edge
    }
}

// A block of one colour, as the blocks levels clear them.
static Canvas blocksIcon(int s)
{
    Canvas c(s, s);
    float q = s / 2.0f;
    for (int i = 0; i < 4; ++i) {
        BallLook look;
        look.symbol = q >= 16;  // smaller, the symbol would not read
        paintBall(c, (i % 2 + 0.5f) * q, (i / 2 + 0.5f) * q, q * 0.47f, 2, look);
    }
    return c;
}

static Canvas ballRow(int count, int size, int colour)
{
    Canvas c(count * size, size);
    for (int i = 0; i < count; ++i) {
        BallLook look;
        paintBall(c, (i + 0.5f) * size, size / 2.0f, size * 0.45f, colour, look);
    }
    return c;
}

static Canvas linesIcon(int s)
{
    Canvas c(s, s);
    for (int i = 0; i < 3; ++i) {
        BallLook look;
        look.symbol = false;
        paintBall(c, s * (0.2f + 0.3f * i), s * (0.8f - 0.3f * i), s * 0.17f, 1, look);
    }
    return c;
}

static Canvas menuButton(const Profile& p)
{
    int s = std::max(14, p.cell);
    Canvas c(s, s);
    c.fillRoundRect(1, 1, s - 2.0f, s - 2.0f, s * 0.22f, rgb(0x8FB8C4));
    c.fillRoundRect(2, 2, s - 4.0f, s - 4.0f, s * 0.2f, rgb(0x17323F));
    for (int i = 0; i < 3; ++i) {
        float y = s * (0.32f + 0.18f * i);
        c.strokeLine(s * 0.28f, y, s * 0.72f, y, std::max(1.5f, s / 10.0f), rgb(0xF4EFE2));
    }
    return c;
}

static Animation pathDot(SpriteSet& set, const Profile& p)
{
    int d = std::max(4, p.cell / 4);
    Canvas pic(d, d);
    pic.fillCircle(d / 2.0f, d / 2.0f, d / 2.0f, rgb(0x3B4A52));
    pic.fillCircle(d / 2.0f, d / 2.0f, d / 2.0f - 1, rgb(0xFFF6DA));
    return still(set.image(pic), -d / 2, -d / 2);
}

// The balls on the board and the next-ball icons must tell their colours apart by symbol too.
static void checkSymbols(const Profile& p, int icon)
{
    BallLook board, plain;
    board.mood = Mood::Neutral;
    std::vector<std::string> faults = symbolFaults(p.cell, p.cell * BALL_RADIUS, board);
    for (const std::string& f : symbolFaults(icon, icon * ICON_BALL_RADIUS, plain))
        faults.push_back(f);
    if (!faults.empty())
        throw std::runtime_error(p.resolutionFile() + ": " + faults[0]);
}

SpriteSet gameSprites(const Profile& p, int tipIconHeight)
{
    int icon = std::max(8, p.panel * 4 / 5 & ~1);  // even: symbols stay on whole pixels
    checkSymbols(p, icon);
    SpriteSet set(DARK_MATTE);
    for (int colour = 0; colour < COLOURS; ++colour)
        addBallSet(set, p, colour);
    set.add(particle(set, p));
    set.add(indicator(set, p, 0xF0A83A));  // middle
    set.add(indicator(set, p, 0xE0483B));  // low
    set.add(indicator(set, p, 0x4FC27A));  // high
    set.add(cursor(set, p));
    addTimeBar(set, p);
    set.add(still(set.image(blocksIcon(icon))));
    set.add(still(set.image(linesIcon(icon))));
    set.add(still(set.image(menuButton(p))));
    for (int colour = 0; colour < COLOURS; ++colour) {
        Canvas pic(icon, icon);
        BallLook look;
        paintBall(pic, icon / 2.0f, icon / 2.0f, icon * ICON_BALL_RADIUS, colour, look);
        set.add(still(set.image(pic)));
    }
    set.add(pathDot(set, p));
    int t = std::max(8, tipIconHeight);
    set.add(still(set.image(blocksIcon(t * 2))));
    for (int n = 3; n <= 5; ++n)
        set.add(still(set.image(ballRow(n, t, n - 3))));
    if (set.animationCount() != game_anim::COUNT)
        throw std::logic_error("game sprite numbering is off");
    return set;
}

}  // namespace datagen
