// Contact sheet composition from the decoded members: sprites, fonts with sample texts, boards.
#include "Sheets.h"

#include "Fonts.h"
#include "GameArt.h"
#include "GameReaders.h"
#include "Levels.h"
#include "Png.h"
#include "Profiles.h"
#include "SpriteSet.h"
#include "Texts.h"
#include "Typeface.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace datagen {

namespace {

constexpr int SHEET_WIDTH = 1100;

Canvas toCanvas(const RgbImage& img)
{
    Canvas c(img.width, img.height);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            uint32_t p = img.pixel(x, y);
            if (toRgb565(p) != toRgb565(KEY_COLOUR))
                c.at(x, y) = rgb(p);
        }
    return c;
}

Canvas picture(const Members& m, const std::string& name)
{
    return toCanvas(decodePng(m.get(name + ".png")));
}

// Places pictures left to right, wrapping at the sheet width, and labels them.
class Sheet {
public:
    explicit Sheet(const Typeface& label) : labelFace(label) {}

    void heading(const std::string& text)
    {
        newRow();
        penY += 6;
        items.push_back({Canvas(), 8, penY, text, true});
        penY += labelFace.ascent() + labelFace.descent() + 4;
    }

    void add(const Canvas& c, const std::string& caption)
    {
        int w = std::max(c.width(), labelFace.textWidth(decodeUtf8(caption))) + 8;
        if (penX + w > SHEET_WIDTH)
            newRow();
        items.push_back({c, penX, penY, caption, false});
        penX += w;
        rowHeight = std::max(rowHeight, c.height() + labelFace.ascent() + labelFace.descent() + 6);
    }

    Canvas render() const
    {
        int height = penY + rowHeight + 8;
        Canvas out(SHEET_WIDTH, height);
        out.fill(rgb(0x30363A));
        for (const Item& it : items) {
            if (it.heading) {
                labelFace.paint(out, decodeUtf8(it.caption), it.x, it.y, rgb(0xFFD27A));
                continue;
            }
            out.fillRect(it.x, it.y, it.c.width(), it.c.height(), rgb(0x4A5459));
            out.draw(it.c, it.x, it.y);
            labelFace.paint(out, decodeUtf8(it.caption), it.x, it.y + it.c.height() + 2, rgb(0xC8D0D4));
        }
        return out;
    }

private:
    void newRow()
    {
        if (penX > 8)
            penY += rowHeight + 4;
        penX = 8, rowHeight = 0;
    }

    struct Item {
        Canvas c;
        int x, y;
        std::string caption;
        bool heading;
    };
    const Typeface& labelFace;
    std::vector<Item> items;
    int penX = 8, penY = 0, rowHeight = 0;
};

Canvas drawFrame(const ParsedSet& set, const Canvas& atlas, const Frame& f)
{
    int left = 0, top = 0, right = 1, bottom = 1;
    for (const Part& p : f) {
        const ParsedSet::Rect& r = set.rects[size_t(p.image)];
        left = std::min(left, p.x), top = std::min(top, p.y);
        right = std::max(right, p.x + r.w), bottom = std::max(bottom, p.y + r.h);
    }
    Canvas c(right - left, bottom - top);
    for (const Part& p : f) {
        const ParsedSet::Rect& r = set.rects[size_t(p.image)];
        Canvas piece = atlas.crop(r.x, r.y, r.w, r.h);
        if (p.mirror) {
            Canvas flipped(r.w, r.h);
            for (int y = 0; y < r.h; ++y)
                for (int x = 0; x < r.w; ++x)
                    flipped.at(x, y) = piece.at(r.w - 1 - x, y);
            piece = flipped;
        }
        c.draw(piece, p.x - left, p.y - top);
    }
    return c;
}

void spriteSection(Sheet& sheet, const Members& m, const std::string& name)
{
    ParsedSet set = readSpriteSet(m.get(name + ".bin"));
    Canvas atlas = picture(m, name);
    sheet.heading(name);
    auto same = [](const Frame& a, const Frame& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Part& p, const Part& q) {
            return p.image == q.image && p.x == q.x && p.y == q.y && p.mirror == q.mirror;
        });
    };
    for (size_t a = 0; a < set.anims.size(); ++a)
        for (size_t f = 0; f < set.anims[a].frames.size(); ++f)
            if (f == 0 || !same(set.anims[a].frames[f], set.anims[a].frames[f - 1]))  // held frames show once
                sheet.add(drawFrame(set, atlas, set.anims[a].frames[f]),
                          std::to_string(a) + (set.anims[a].frames.size() > 1 ? "." + std::to_string(f) : ""));
}

// Draws a text with the bitmap font the way the game does: glyph cells side by side.
Canvas bitmapText(const Members& m, const std::string& font, const std::u32string& text)
{
    std::vector<std::pair<Canvas, ParsedPage>> pages;
    for (int i = 0; i < MAX_PAGES && m.has(font + "_" + std::to_string(i)); ++i)
        pages.emplace_back(picture(m, font + "_" + std::to_string(i)), parsePageData(m.get(font + "_" + std::to_string(i))));
    int h = pages[0].first.height(), spacing = pages.back().second.spacing;
    int width = 0;
    auto glyph = [&](char32_t c, int* page, int* x, int* w) {
        for (size_t p = 0; p < pages.size(); ++p) {
            size_t at = pages[p].second.characters.find(c);
            if (at == std::u32string::npos)
                continue;
            *page = int(p), *x = 0, *w = pages[p].second.widths[at];
            for (size_t i = 0; i < at; ++i)
                *x += pages[p].second.widths[i];
            return true;
        }
        return false;
    };
    for (char32_t c : text) {
        int p, x, w;
        if (glyph(c, &p, &x, &w))
            width += w + spacing;
    }
    Canvas out(std::max(1, width), h);
    int pen = 0;
    for (char32_t c : text) {
        int p, x, w;
        if (!glyph(c, &p, &x, &w))
            continue;
        out.draw(pages[size_t(p)].first.crop(x, 0, w, h), pen, 0);
        pen += w + spacing;
    }
    return out;
}

void fontSection(Sheet& sheet, const Members& m, const Profile& p)
{
    sheet.heading("fonts");
    for (const char* font : {"menu", "menu_red", "game", "score"})
        for (int i = 0; i < MAX_PAGES && m.has(p.folder() + font + "_" + std::to_string(i)); ++i) {
            std::string page = p.folder() + font + "_" + std::to_string(i);
            Canvas strip = picture(m, page);
            sheet.add(strip.crop(0, 0, std::min(strip.width(), SHEET_WIDTH - 20), strip.height()), page);
        }
    TextTable lang = readLanguageFile("lang.dat", m.get("lang.dat"));
    for (const std::string& id : splitList(*lang.find("ID"), ';')) {
        TextTable t = readLanguageFile(id, m.get("res_" + id + ".dat"));
        std::string menu = *t.find("PROGRESS_GAME") + "  " + *t.find("ARCADE_GAME") + "  " + *t.find("SETTINGS");
        sheet.add(bitmapText(m, p.folder() + "menu", decodeUtf8(menu)), id + " menu");
        sheet.add(bitmapText(m, p.folder() + "menu_red", decodeUtf8(*t.find("HIGHSCORES"))), id + " menu_red");
        sheet.add(bitmapText(m, p.folder() + "game", decodeUtf8(*t.find("EXIT_GAME") + " " + *t.find("ENABLE_SOUND"))),
                  id + " game");
    }
    sheet.add(bitmapText(m, p.folder() + "score", U"0123456789 SCORE 002450"), "score");
}

Canvas mirrored(const Canvas& c)
{
    Canvas out(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            out.at(x, y) = c.at(c.width() - 1 - x, y);
    return out;
}

// The frame as the game draws it: strips on every open side, then the outer corners of each
// cell and the inner corners in the holes, each corner turned from "img/corner".
void drawBoardFrame(Canvas& screen, const Members& m, const Profile& p, const tintrow::LevelFile& lv,
                    const BoardLayout& l)
{
    Canvas border = picture(m, p.folder() + "img/border"), borderV = border.rotated90();
    Canvas corner0 = picture(m, p.folder() + "img/corner");
    const Canvas corners[4] = {corner0, mirrored(corner0), corner0.rotated90().rotated90(),
                               mirrored(corner0).rotated90().rotated90()};
    int t = corner0.width(), s = p.cell;
    auto floor = [&](int x, int y) { return x >= 0 && y >= 0 && x < lv.width && y < lv.height && isFloor(lv, x, y); };
    for (int y = 0; y < lv.height; ++y)
        for (int x = 0; x < lv.width; ++x) {
            if (!floor(x, y))
                continue;
            int cx = l.originX + x * s, cy = l.originY + y * s;
            bool top = !floor(x, y - 1), left = !floor(x - 1, y), bottom = !floor(x, y + 1), right = !floor(x + 1, y);
            if (top)
                screen.draw(border, cx, cy - border.height());
            if (left)
                screen.draw(borderV, cx - borderV.width(), cy);
            if (bottom)
                screen.draw(border, cx, cy + s);
            if (right)
                screen.draw(borderV, cx + s, cy);
            if (top && left)
                screen.draw(corners[0], cx - t, cy - t);
            if (top && right)
                screen.draw(corners[1], cx + s, cy - t);
            if (bottom && right)
                screen.draw(corners[2], cx + s, cy + s);
            if (bottom && left)
                screen.draw(corners[3], cx - t, cy + s);
        }
    for (int y = 0; y < lv.height; ++y)
        for (int x = 0; x < lv.width; ++x) {
            if (floor(x, y))
                continue;
            int hx = l.originX + x * s, hy = l.originY + y * s;
            bool top = floor(x, y - 1), left = floor(x - 1, y), bottom = floor(x, y + 1), right = floor(x + 1, y);
            if (left && top)
                screen.draw(corners[0], hx, hy);
            if (right && top)
                screen.draw(corners[1], hx + s - t, hy);
            if (right && bottom)
                screen.draw(corners[2], hx + s - t, hy + s - t);
            if (left && bottom)
                screen.draw(corners[3], hx, hy + s - t);
        }
}

// The board of a level as the game draws its static picture: tiles, frame, panel and a few balls.
Canvas boardPicture(const Members& m, const Profile& p, const tintrow::LevelFile& lv)
{
    Canvas screen = picture(m, p.folder() + "img/back");
    Canvas tile = picture(m, p.folder() + "img/square");
    for (int j = 0; j < tile.height(); ++j)
        for (int i = 0; i < tile.width(); ++i)
            tile.at(i, j).a = 0.8f;  // the game blends the tile at alpha 0xCC
    BoardLayout l = layoutBoard(lv, p, timeBarHeight(p), timeBarEdge(p), 0);
    for (int y = 0; y < lv.height; ++y)
        for (int x = 0; x < lv.width; ++x)
            if (isFloor(lv, x, y))
                screen.draw(tile, l.originX + x * p.cell, l.originY + y * p.cell);
    drawBoardFrame(screen, m, p, lv, l);
    ParsedSet game = readSpriteSet(m.get(p.folder() + "img/Game.bin"));
    Canvas atlas = picture(m, p.folder() + "img/Game");
    int placed = 0;
    for (int y = 0; y < lv.height && placed < 6; ++y)
        for (int x = (y * 3) % lv.width; x < lv.width && placed < 6; x += 4)
            if (isFloor(lv, x, y)) {
                int anim = 7 * (placed % lv.colourCount) + (placed % 3);
                screen.draw(drawFrame(game, atlas, game.anims[size_t(anim)].frames[0]), l.originX + x * p.cell,
                            l.originY + y * p.cell);
                ++placed;
            }
    Canvas panel = picture(m, p.folder() + "img/titlem");
    for (int x = p.cell; x < p.width - p.cell; x += panel.width())
        screen.draw(panel, x, l.panelY);
    screen.draw(picture(m, p.folder() + "img/titlel"), p.cell, l.panelY);
    Canvas right = picture(m, p.folder() + "img/titler");
    screen.draw(right, p.width - p.cell - right.width(), l.panelY);
    return screen;
}

void levelSection(Sheet& sheet, const Members& m, const Profile& p)
{
    sheet.heading("levels");
    for (int i = 0; m.has(std::to_string(i) + ".bin"); ++i) {
        tintrow::LevelFile lv = readLevel(m.get(std::to_string(i) + ".bin"));
        Canvas board = boardPicture(m, p, lv);
        if (board.width() > 240)
            board = board.scaled(board.width() / 2, board.height() / 2);
        static const char* goals[] = {"free", "time", "score"};
        sheet.add(board, std::to_string(i + 1) + (lv.gameType ? " blocks " : " lines ") + goals[lv.goal % 3]);
    }
}

void singlesSection(Sheet& sheet, const Members& m, const Profile& p)
{
    sheet.heading("pictures");
    for (const std::string& n : m.names()) {
        if (n.rfind(p.folder(), 0) != 0 || n.size() < 4 || n.compare(n.size() - 4, 4, ".png") != 0)
            continue;
        std::string base = n.substr(0, n.size() - 4);
        if (m.has(base) || m.has(base + ".bin") || base.find("back") != std::string::npos)
            continue;  // font pages and atlases have their own sections; backgrounds show under the boards
        sheet.add(picture(m, base), base.substr(p.folder().size()));
    }
}

}  // namespace

void writeContactSheets(const Members& m, const std::string& dir, const std::string& labelFontPath)
{
    Typeface label(labelFontPath, 11);
    std::filesystem::create_directories(dir);
    for (const Profile& p : profiles()) {
        Sheet sheet(label);
        singlesSection(sheet, m, p);
        spriteSection(sheet, m, p.folder() + "img/Game");
        spriteSection(sheet, m, p.folder() + "img/Menu");
        fontSection(sheet, m, p);
        levelSection(sheet, m, p);
        Bytes png = encodePng(flattenOpaque(sheet.render(), rgb(0x30363A)));
        std::ofstream out(dir + "/sheet-" + std::to_string(p.width) + "x" + std::to_string(p.height) + ".png",
                          std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        if (!out)
            throw std::runtime_error("cannot write the contact sheet into " + dir);
    }
}

}  // namespace datagen
