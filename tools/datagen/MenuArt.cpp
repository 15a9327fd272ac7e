// Drawing of the menu sprites and pictures, the logos and the flags.
#include "MenuArt.h"

#include "ArtKit.h"
#include "Bytes.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace datagen {

namespace {
const Rgba MATTE = rgb(0x16303C);
const Rgba PLATE = rgb(0x1D4250), RIM = rgb(0x9CC7D2), GOLD = rgb(0xF0C75E);

Part at(int image, int x = 0, int y = 0, bool mirror = false)
{
    Part p;
    p.image = image, p.x = x, p.y = y, p.mirror = mirror;
    return p;
}

Animation still(int image, int x = 0, int y = 0)
{
    return Animation{{Frame{at(image, x, y)}}, {}};
}

Canvas plate(int w, int h, const Rgba& fill, const Rgba& rim, float radius)
{
    Canvas c(w, h);
    c.fillRoundRect(0, 0, float(w), float(h), radius, rim);
    c.fillRoundRect(1.5f, 1.5f, w - 3.0f, h - 3.0f, radius - 1.5f,
                    [&](float, float y) { return mix(shade(fill, 1.3f), fill, y / h); });
    return c;
}

Canvas triangle(int w, int h, bool pointsLeft, const Rgba& colour)
{
    Canvas c(w, h);
    float tip = pointsLeft ? 1.0f : w - 1.0f, back = pointsLeft ? w - 1.0f : 1.0f;
    c.fillPolygon({tip, h / 2.0f, back, 1.0f, back, h - 1.0f}, colour);
    return outlined(c, 1.0f, rgb(0x0E1E26));
}

Canvas disc(int s)
{
    Canvas c(s, s);
    c.fillCircle(s / 2.0f, s / 2.0f, s / 2.0f, RIM);
    c.fillCircle(s / 2.0f, s / 2.0f, s / 2.0f - 1.2f, PLATE);
    return c;
}

// A chevron across the middle of a disc of side s, from its arms at y0 to its point at y1.
void strokeChevron(Canvas& c, int s, float y0, float y1)
{
    float w = std::max(1.5f, s / 8.0f);
    c.strokeLine(s * 0.3f, y0, s * 0.5f, y1, w, GOLD);
    c.strokeLine(s * 0.7f, y0, s * 0.5f, y1, w, GOLD);
}

Canvas chevron(int s, bool up)
{
    Canvas c = disc(s);
    strokeChevron(c, s, up ? s * 0.62f : s * 0.38f, up ? s * 0.36f : s * 0.64f);
    return c;
}

// The lists mark their top and their bottom edge with the same animation: it points both ways.
Canvas scrollMark(int s)
{
    Canvas c = disc(s);
    strokeChevron(c, s, s * 0.42f, s * 0.24f);
    strokeChevron(c, s, s * 0.58f, s * 0.76f);
    return c;
}

Canvas flourish(int w, int h)
{
    Canvas c(w, h);
    float cy = h / 2.0f;
    c.fillDistance([=](float x, float y) {
        float t = std::fabs(x - w / 2.0f) / (w / 2.0f);
        return std::fabs(y - cy) - std::max(0.4f, (1 - t) * h * 0.22f);
    }, [](float, float) { return rgb(0x9CC7D2, 0.9f); });
    c.fillPolygon({w / 2.0f, cy - h * 0.45f, w / 2.0f + h * 0.45f, cy, w / 2.0f, cy + h * 0.45f,
                   w / 2.0f - h * 0.45f, cy},
                  GOLD);
    return c;
}

// The more-games icons show the games they stand for: a Sudoku box filling up, a minefield with
// its flag, a Lights Off grid being switched off. Each state is held for a few frames.
constexpr int ICON_HOLD = 8;

// Digits 1 to 9, three pixels by five.
const char* const DIGITS[9][5] = {
    {".#.", "##.", ".#.", ".#.", "###"}, {"##.", "..#", ".#.", "#..", "###"}, {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "##.", "..#", "##."}, {".##", "#..", "###", "#.#", "###"},
    {"###", "..#", ".#.", ".#.", ".#."}, {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "##."},
};

void paintDigit(Canvas& c, int digit, float cx, float cy, float cell, const Rgba& ink)
{
    int k = std::max(1, int(cell / 8));
    int left = int(cx - 1.5f * k + 0.5f), top = int(cy - 2.5f * k + 0.5f);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            if (DIGITS[digit - 1][y][x] == '#')
                c.fillRect(left + x * k, top + y * k, k, k, ink);
}

Canvas tileGrid(int s, int n, const Rgba& face, const Rgba& line)
{
    Canvas c(s, s);
    c.fillRoundRect(0, 0, float(s), float(s), s * 0.12f, line);
    float q = (s - 2.0f) / n;
    for (int i = 0; i < n * n; ++i)
        c.fillRect(int(1 + (i % n) * q + 0.5f), int(1 + (i / n) * q + 0.5f), int(q - 1), int(q - 1), face);
    return c;
}

void hold(SpriteSet& set, Animation& a, const Canvas& c, int frames = ICON_HOLD)
{
    int image = set.image(c);
    for (int i = 0; i < frames; ++i)
        a.frames.push_back({at(image)});
}

Animation sudokuIcon(SpriteSet& set, int s)
{
    const int box[9] = {5, 3, 7, 6, 1, 9, 8, 2, 4};
    const int order[9] = {0, 4, 8, 2, 6, 1, 3, 5, 7};  // the first three are given
    Animation a;
    float q = (s - 2.0f) / 3;
    for (int shown = 3; shown <= 9; ++shown) {
        Canvas c = tileGrid(s, 3, rgb(0xFFF8E6), rgb(0x27343A));
        for (int i = 0; i < shown; ++i) {
            int cell = order[i];
            paintDigit(c, box[cell], 1 + (cell % 3 + 0.5f) * q, 1 + (cell / 3 + 0.5f) * q, q,
                       i < 3 ? rgb(0x27343A) : rgb(0x2B6FC4));
        }
        hold(set, a, c, shown == 9 ? 3 * ICON_HOLD : ICON_HOLD);
    }
    return a;
}

Animation minesIcon(SpriteSet& set, int s)
{
    Animation a;
    float q = (s - 2.0f) / 2;
    for (int wave = 0; wave < 2; ++wave) {
        Canvas c = tileGrid(s, 2, rgb(0xD9D4C7), rgb(0x5F6A70));
        // The covered tile carries a flag, the open ones a count and the mine itself.
        c.fillRoundRect(2, 2, q - 2, q - 2, q * 0.15f, rgb(0x9AA6AC));
        float pole = 1 + q * 0.4f;
        c.strokeLine(pole, 1 + q * 0.2f, pole, 1 + q * 0.8f, std::max(1.0f, q / 12), rgb(0x27343A));
        float tip = wave ? q * 0.78f : q * 0.72f;
        c.fillPolygon({pole, 1 + q * 0.2f, 1 + tip, 1 + q * (wave ? 0.36f : 0.32f), pole, 1 + q * 0.5f}, rgb(0xE2453C));
        paintDigit(c, 1, 1 + q * 1.5f, 1 + q * 0.5f, q, rgb(0x2B6FC4));
        paintDigit(c, 2, 1 + q * 0.5f, 1 + q * 1.5f, q, rgb(0x3A9A4A));
        float mx = 1 + q * 1.5f, my = 1 + q * 1.5f, mr = q * 0.26f;
        for (int i = 0; i < 4; ++i) {  // the spikes
            float dx = std::cos(float(M_PI) * i / 4) * mr * 1.45f, dy = std::sin(float(M_PI) * i / 4) * mr * 1.45f;
            c.strokeLine(mx - dx, my - dy, mx + dx, my + dy, std::max(1.0f, q / 10), rgb(0x1A1A1A));
        }
        c.fillCircle(mx, my, mr, rgb(0x1A1A1A));
        c.fillCircle(mx - mr * 0.35f, my - mr * 0.35f, mr * 0.3f, rgb(0xFFFFFF, 0.85f));
        hold(set, a, c);
    }
    return a;
}

Animation lightsOffIcon(SpriteSet& set, int s)
{
    // Three presses (centre, top-left, bottom-right) switch the diagonal off.
    const int states[4] = {0b100010001, 0b110101011, 0b110100000, 0};
    Animation a;
    float q = (s - 2.0f) / 3;
    for (int state : states) {
        Canvas c(s, s);
        c.fillRoundRect(0, 0, float(s), float(s), s * 0.12f, rgb(0x0E1E26));
        for (int i = 0; i < 9; ++i) {
            bool lit = state >> i & 1;
            float x = 1 + (i % 3) * q, y = 1 + (i / 3) * q;
            c.fillRoundRect(x + 0.5f, y + 0.5f, q - 1, q - 1, q * 0.25f, lit ? rgb(0xF7D86A) : rgb(0x2F4650));
            if (lit)
                c.fillCircle(x + q * 0.38f, y + q * 0.38f, q * 0.16f, rgb(0xFFFFFF, 0.7f));
        }
        hold(set, a, c, state ? ICON_HOLD : 2 * ICON_HOLD);
    }
    return a;
}
}  // namespace

SpriteSet menuSprites(const Profile& p, const TextHeights& t)
{
    SpriteSet set(MATTE);
    // Soft-key plates hold the widest label; two of them share the bottom edge of the screen.
    int w = p.width, softW = std::min(w / 2 - 2, std::max(w / 4, t.softKeyText + 10)), softH = softKeyHeight(t);
    if (t.softKeyText + 6 > softW)
        throw std::runtime_error("a soft-key label is too wide for " + p.resolutionFile() + ": " +
                                 std::to_string(t.softKeyText) + " pixels");
    int itemW = menuItemWidth(p), itemH = t.menu + std::max(6, t.menu / 2);
    float radius = itemH * 0.35f;

    // 0 soft key: a plate with its text rectangle
    Animation soft = still(set.image(plate(softW, softH, PLATE, RIM, softH * 0.3f)));
    soft.rects = {{{0, 2, 2, softW - 4, softH - 4}}};
    set.add(soft);
    set.add(still(set.image(plate(itemW, itemH, rgb(0x2F6A7A), GOLD, radius))));   // 1 focused
    set.add(still(set.image(plate(itemW, itemH, rgb(0x4A8C8F), GOLD, radius))));   // 2 pressed
    Animation item = still(set.image(plate(itemW, itemH, PLATE, RIM, radius)));     // 3 item
    item.rects = {{{0, 4, 2, menuItemTextWidth(p), itemH - 4}}};
    set.add(item);
    set.add(still(set.image(scrollMark(std::max(14, p.cell * 3 / 4)))));  // 4 scroll arrow, both ends

    // 5..8 slider: the focused frame carries the bar rectangle; the fills are tiled from the
    // bar's corner and cut at the value, so each is exactly the bar's size.
    int inset = std::max(3, itemH / 4), fillW = itemW - 2 * inset, fillH = itemH - 2 * inset;
    Canvas frame(itemW, itemH);
    frame.fillRoundRect(0, 0, float(itemW), float(itemH), radius, GOLD);
    frame.fillRoundRect(1.5f, 1.5f, itemW - 3.0f, itemH - 3.0f, radius - 1.5f, rgb(0x0F2630));
    Animation slider = still(set.image(frame));
    slider.rects = {{{0, inset, inset, fillW, fillH}}};
    set.add(slider);
    for (uint32_t fill : {0xF0C75EU, 0x7FC8D8U, 0x6E7B80U}) {
        Canvas bar(fillW, fillH);
        bar.fillRoundRect(0, 0, float(fillW), float(fillH), fillH * 0.4f,
                          [&](float, float y) { return mix(shade(rgb(fill), 1.25f), rgb(fill), y / fillH); });
        set.add(still(set.image(bar)));
    }

    int decoW = w * 3 / 5, decoH = std::max(5, t.menu / 2);
    set.add(still(set.image(flourish(decoW, decoH)), 0, 0));  // 9 above the list
    set.add(still(set.image(flourish(decoW, decoH)), 0, 0));  // 10 below the list
    int triW = std::max(7, t.menu * 2 / 3), triH = std::max(9, t.menu);
    int left = set.image(triangle(triW, triH, true, GOLD));
    set.add(still(left));                                       // 11 previous language
    set.add(Animation{{Frame{at(left, 0, 0, true)}}, {}});      // 12 next language: the same, mirrored

    int icon = moreGamesIconSize(t);
    set.add(minesIcon(set, icon));      // 13: more games, entry 1
    set.add(sudokuIcon(set, icon));     // 14: entry 0
    set.add(lightsOffIcon(set, icon));  // 15: entry 2

    int barW = scrollBarWidth(p);
    set.add(still(set.image(chevron(barW, true))));   // 16 up
    set.add(still(set.image(chevron(barW, false))));  // 17 down
    set.add(still(set.image(plate(barW, barW * 2, rgb(0x6FA9B8), GOLD, barW * 0.45f))));  // 18 thumb
    Canvas track(barW, barW);
    track.fillRect(barW / 2 - 1, 0, 2, barW, rgb(0x9CC7D2, 0.8f));
    set.add(still(set.image(track)));  // 19 track
    if (set.animationCount() != menu_anim::COUNT)
        throw std::logic_error("menu sprite numbering is off");
    return set;
}

std::vector<Picture> menuPictures(const Profile& p, const TextHeights& t)
{
    std::vector<Picture> out;
    Canvas back = calmBackground(p.width, p.height, 0x2B6274, 0x163341, 11, 1.4f);
    // A soft light behind the middle where the menus stand.
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            float dx = (x - p.width / 2.0f) / p.width, dy = (y - p.height / 2.0f) / p.height;
            back.at(x, y) = shade(back.at(x, y), 1.0f + 0.12f * std::max(0.0f, 1 - 4 * (dx * dx + dy * dy)));
        }
    out.push_back({"img/back_menu", back, MATTE, false});

    int frameW = t.keyCell * 6 + 2 * std::max(6, p.cell / 3), cap = std::max(6, p.cell / 3);
    int topH = cap + t.game * 2 + 4, middH = t.keyCell * 5 + 4, botH = cap;
    float r = cap * 0.9f;
    Canvas whole(frameW, topH + middH + botH);
    whole.fillRoundRect(0, 0, float(frameW), float(whole.height()), r, RIM);
    whole.fillRoundRect(1.5f, 1.5f, frameW - 3.0f, whole.height() - 3.0f, r - 1.5f, rgb(0x14303B));
    whole.fillRoundRect(cap * 0.6f, cap * 0.6f, frameW - cap * 1.2f, t.game * 1.0f + cap * 1.2f + 4, r * 0.5f,
                        rgb(0x0B1E26));  // the name field
    out.push_back({"img/input_top", whole.crop(0, 0, frameW, topH), MATTE, true});
    out.push_back({"img/input_midd", whole.crop(0, topH, frameW, middH), MATTE, true});
    out.push_back({"img/input_bot", whole.crop(0, topH + middH, frameW, botH), MATTE, true});
    return out;
}

std::vector<Picture> logoPictures(const Profile& p, const std::string& boldFontPath)
{
    std::vector<Picture> out;
    // The maker's mark: three rings that overlap, and the name under them, on the white screen.
    {
        int w = p.width * 3 / 5, markH = w / 3;
        Typeface face(boldFontPath, std::max(10, w / 7));
        std::u32string name = decodeUtf8("VANDREL");
        int textH = face.ascent() + face.descent();
        Canvas c(w, markH + textH + 4);
        const uint32_t rings[3] = {0x2F8FA0, 0xF0A83A, 0xE2574C};
        for (int i = 0; i < 3; ++i)
            c.strokeArc(w / 2.0f + (i - 1) * markH * 0.42f, markH / 2.0f, markH * 0.36f, 0, 2 * float(M_PI),
                        std::max(2.0f, markH * 0.09f), rgb(rings[i]));
        face.paint(c, name, (w - face.textWidth(name)) / 2, markH + 2, rgb(0x27343A));
        out.push_back({"img/vandrel", c, rgb(0xFFFFFF), true});
    }
    // The game's title: warm letters with a dark outline over a row of the five balls, at most a
    // third as tall as the about screen's text, which shows it above the credits.
    {
        int w = p.width * 4 / 5, tallest = logoMaxHeight(p);
        std::u32string title = decodeUtf8("Tintrow");
        auto height = [&](int px) {  // the letters, their outline, the row of balls
            Typeface face(boldFontPath, px);
            int outline = int(std::ceil(std::max(1.5f, px / 14.0f)));
            return face.ascent() + face.descent() + 2 * outline + std::max(8, px / 2) + 2;
        };
        int px = std::max(12, w / 5);
        while (px > 12 && (Typeface(boldFontPath, px).textWidth(title) > w - 8 || height(px) > tallest))
            --px;
        Typeface face(boldFontPath, px);
        int textH = face.ascent() + face.descent(), ball = std::max(8, px / 2);
        Canvas letters(w, textH);
        Canvas ink(w, textH);
        face.paint(ink, title, (w - face.textWidth(title)) / 2, 0, rgb(0xFFFFFF));
        for (int y = 0; y < textH; ++y)
            for (int x = 0; x < w; ++x) {
                float a = ink.at(x, y).a;
                letters.at(x, y) = Rgba{0, 0, 0, 0};
                letters.blend(x, y, mix(rgb(0xFFF3C4), rgb(0xF0A83A), float(y) / textH), a);
            }
        Canvas framed = outlined(letters, std::max(1.5f, px / 14.0f), rgb(0x3A2412));
        Canvas c(framed.width(), framed.height() + ball + 2);
        c.draw(shadowed(framed, 1, 2, rgb(0x000000, 0.5f)), 0, 0);
        float start = (c.width() - ball * 5 * 1.15f) / 2;
        for (int i = 0; i < COLOURS; ++i) {
            BallLook look;
            look.mood = Mood::Pleased;
            paintBall(c, start + (i + 0.5f) * ball * 1.15f, framed.height() + ball / 2.0f, ball * 0.48f, i, look);
        }
        out.push_back({"logo", c, rgb(0x1B2A33), true});
    }
    return out;
}

Picture flagPicture(const std::string& id, int height)
{
    int h = std::max(8, height), w = h * 3 / 2;
    Canvas c(w, h);
    auto stripesH = [&](std::initializer_list<uint32_t> colours) {
        int n = int(colours.size()), i = 0;
        for (uint32_t col : colours) {
            c.fillRect(0, h * i / n, w, h * (i + 1) / n - h * i / n, rgb(col));
            ++i;
        }
    };
    auto stripesV = [&](std::initializer_list<uint32_t> colours) {
        int n = int(colours.size()), i = 0;
        for (uint32_t col : colours) {
            c.fillRect(w * i / n, 0, w * (i + 1) / n - w * i / n, h, rgb(col));
            ++i;
        }
    };
    if (id == "de") {
        stripesH({0x1A1A1A, 0xD22B2B, 0xF2C530});
    } else if (id == "fr") {
        stripesV({0x2B4FA0, 0xFFFFFF, 0xE2453C});
    } else if (id == "ru") {
        stripesH({0xFFFFFF, 0x2B4FA0, 0xD22B2B});
    } else if (id == "es") {
        c.fillRect(0, 0, w, h, rgb(0xC8262A));
        c.fillRect(0, h / 4, w, h - 2 * (h / 4), rgb(0xF2C530));
    } else if (id == "en") {
        c.fillRect(0, 0, w, h, rgb(0x213C84));
        float k = std::max(1.5f, h / 5.0f);
        c.strokeLine(0, 0, float(w), float(h), k, rgb(0xFFFFFF));
        c.strokeLine(float(w), 0, 0, float(h), k, rgb(0xFFFFFF));
        c.strokeLine(0, 0, float(w), float(h), k * 0.45f, rgb(0xD22B2B));
        c.strokeLine(float(w), 0, 0, float(h), k * 0.45f, rgb(0xD22B2B));
        c.fillRect(0, int(h / 2.0f - k), w, int(2 * k), rgb(0xFFFFFF));
        c.fillRect(int(w / 2.0f - k), 0, int(2 * k), h, rgb(0xFFFFFF));
        c.fillRect(0, int(h / 2.0f - k / 2), w, std::max(1, int(k)), rgb(0xD22B2B));
        c.fillRect(int(w / 2.0f - k / 2), 0, std::max(1, int(k)), h, rgb(0xD22B2B));
    } else {
        throw std::runtime_error("no flag drawn for language " + id);
    }
    Canvas framed(w + 2, h + 2);
    framed.fill(rgb(0x0E1E26));
    framed.draw(c, 1, 1);
    return {"lang_" + id, framed, MATTE, false};
}

}  // namespace datagen
