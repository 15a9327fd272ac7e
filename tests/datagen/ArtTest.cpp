// Pictures and sprite sets as the game screen and the menus use them, for every profile.
#include "ArtKit.h"
#include "GameArt.h"
#include "MenuArt.h"
#include "Png.h"
#include "SymbolCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>

using namespace datagen;

namespace {

std::map<std::string, Picture> byName(std::vector<Picture> list)
{
    std::map<std::string, Picture> out;
    for (Picture& p : list)
        out.emplace(p.name, std::move(p));
    return out;
}

int keyPixels(const Picture& p)
{
    RgbImage img = p.keyed ? flattenKeyed(p.canvas, p.matte) : flattenOpaque(p.canvas, p.matte);
    int n = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            n += toRgb565(img.pixel(x, y)) == toRgb565(KEY_COLOUR);
    return n;
}

// Width and height of what a frame covers, from its parts.
std::pair<int, int> frameSize(const SpriteSet& set, const Frame& f)
{
    int left = 1 << 20, top = 1 << 20, right = -(1 << 20), bottom = -(1 << 20);
    for (const Part& p : f) {
        const Canvas& c = set.picture(p.image);
        left = std::min(left, p.x), top = std::min(top, p.y);
        right = std::max(right, p.x + c.width()), bottom = std::max(bottom, p.y + c.height());
    }
    return {right - left, bottom - top};
}

}  // namespace

TEST(BoardPictures, FitTheCellAndLeaveNoHolesWhereTheGameBlends)
{
    for (const Profile& p : profiles()) {
        auto pics = byName(boardPictures(p));
        const Canvas& tile = pics.at("img/square").canvas;
        EXPECT_EQ(tile.width(), p.cell) << p.resolutionFile();
        EXPECT_TRUE(tile.width() % 2 == 0 && tile.width() >= 8);
        EXPECT_EQ(pics.at("img/border").canvas.width(), p.cell);
        EXPECT_EQ(pics.at("img/border").canvas.height(), p.border);
        EXPECT_EQ(pics.at("img/corner").canvas.width(), p.border);
        EXPECT_EQ(pics.at("img/back").canvas.width(), p.width);
        EXPECT_EQ(pics.at("img/back").canvas.height(), p.height);
        EXPECT_EQ(pics.at("pbar_back").canvas.height(), timeBarHeight(p));
        // The panel and the tile are turned into pixels and blended: a transparent pixel would
        // show as white there.
        for (const char* opaque : {"img/square", "img/titlel", "img/titlem", "img/titler", "pbar_back", "pbar_sel"})
            EXPECT_EQ(keyPixels(pics.at(opaque)), 0) << opaque << " " << p.resolutionFile();
        EXPECT_EQ(pics.at("img/titlel").canvas.height(), p.panel);
        // The corner's edges next to the strips repeat the strip's profile: no step where they meet.
        const Canvas &corner = pics.at("img/corner").canvas, &strip = pics.at("img/border").canvas;
        auto same = [](const Rgba& a, const Rgba& b) {
            return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b) + std::fabs(a.a - b.a) < 0.01f;
        };
        for (int k = 0; k < p.border; ++k) {
            EXPECT_TRUE(same(corner.at(p.border - 1, k), strip.at(0, k))) << k << " " << p.resolutionFile();
            EXPECT_TRUE(same(corner.at(k, p.border - 1), strip.at(0, k))) << k << " " << p.resolutionFile();
        }
    }
}

TEST(GameSprites, NumberEveryAnimationTheGameDrawsAndDrawSomethingInEach)
{
    for (const Profile& p : profiles()) {
        SpriteSet set = gameSprites(p, p.gameFont);
        ASSERT_EQ(set.animationCount(), game_anim::COUNT);
        for (int a = 0; a < set.animationCount(); ++a)
            ASSERT_FALSE(set.animation(a).frames[0].empty()) << a;
        for (int colour = 0; colour < COLOURS; ++colour) {
            int base = colour * game_anim::BALL_STATES;
            auto [w, h] = frameSize(set, set.animation(base).frames[0]);
            EXPECT_EQ(w, p.cell) << "balls are drawn from the cell's corner";
            EXPECT_EQ(h, p.cell);
            EXPECT_GE(set.animation(base + 4).frames.size(), 2u) << "growing in is animated";
            EXPECT_GE(set.animation(base + 5).frames.size(), 2u) << "vanishing is animated";
            EXPECT_GE(set.animation(base + 6).frames.size(), 2u) << "a selected ball bounces";
            EXPECT_NE(set.animation(base).frames[0][0].image, set.animation(base + 2).frames[0][0].image)
                << "moods differ";
        }
        for (int centred : {game_anim::CURSOR, game_anim::PATH_DOT}) {
            const Part& part = set.animation(centred).frames[0][0];
            EXPECT_EQ(part.x, -set.picture(part.image).width() / 2) << "drawn at the cell's centre";
        }
        int icon = frameSize(set, set.animation(game_anim::NEXT_FIRST).frames[0]).second;
        EXPECT_LE(icon, p.panel) << "next-ball icons fit the panel";
        EXPECT_LE(frameSize(set, set.animation(game_anim::MENU_BUTTON).frames[0]).first, p.cell)
            << "the menu button stays left of the panel";
    }
}

// The sprite sets refuse illegible symbols (above); the check itself must see them.
TEST(GameSprites, TheSymbolCheckRefusesSymbolsTooSmallToTellApart)
{
    BallLook face;
    face.mood = Mood::Neutral;
    EXPECT_TRUE(symbolFaults(16, 16 * 0.42f, face).empty());
    EXPECT_FALSE(symbolFaults(8, 8 * 0.42f, face).empty());
}

TEST(MenuSprites, NumberEveryLookTheMenusUse)
{
    for (const Profile& p : profiles()) {
        TextHeights t{p.menuFont + 4, p.gameFont + 4, 30, p.width / 3};
        SpriteSet set = menuSprites(p, t);
        ASSERT_EQ(set.animationCount(), menu_anim::COUNT);
        auto [softW, softH] = frameSize(set, set.animation(menu_anim::SOFT_KEY).frames[0]);
        EXPECT_GE(softW, t.softKeyText + 6) << "the widest label fits its plate";
        EXPECT_LE(2 * softW, p.width) << "both plates share the bottom edge";
        EXPECT_GT(softH, t.menu);
        TextHeights tooWide = t;
        tooWide.softKeyText = p.width / 2;
        EXPECT_THROW(menuSprites(p, tooWide), std::runtime_error);
        auto [itemW, itemH] = frameSize(set, set.animation(menu_anim::ITEM).frames[0]);
        EXPECT_GT(itemH, t.menu) << "a menu item holds a line of menu text";
        EXPECT_LE(itemW, p.width);
        const FrameRect& bar = set.animation(menu_anim::SLIDER_FRAME).rects[0][0];
        EXPECT_EQ(bar.id, 0);
        EXPECT_TRUE(bar.x > 0 && bar.y > 0 && bar.x + bar.w < itemW && bar.y + bar.h < itemH);
        // The fills are tiled from the bar's corner: any margin of their own would shift them.
        for (int fill : {menu_anim::SLIDER_FOCUSED, menu_anim::SLIDER_ENABLED, menu_anim::SLIDER_DISABLED}) {
            const Frame& f = set.animation(fill).frames[0];
            EXPECT_EQ(frameSize(set, f), std::make_pair(bar.w, bar.h)) << fill;
            EXPECT_TRUE(f[0].x == 0 && f[0].y == 0) << fill;
        }
        // The same scroll arrow marks the top and the bottom of a list: it reads the same upside down.
        const Canvas& mark = set.picture(set.animation(menu_anim::SCROLL_ARROW).frames[0][0].image);
        float asymmetry = 0;
        for (int y = 0; y < mark.height(); ++y)
            for (int x = 0; x < mark.width(); ++x)
                asymmetry = std::max(asymmetry, std::fabs(mark.at(x, y).r - mark.at(x, mark.height() - 1 - y).r));
        EXPECT_LT(asymmetry, 0.1f) << p.resolutionFile();
        const Part& next = set.animation(menu_anim::ARROW_RIGHT).frames[0][0];
        EXPECT_TRUE(next.mirror);
        EXPECT_EQ(next.image, set.animation(menu_anim::ARROW_LEFT).frames[0][0].image);
        for (int icon : {menu_anim::MORE_GAMES0, menu_anim::MORE_GAMES1, menu_anim::MORE_GAMES2})
            EXPECT_GE(set.animation(icon).frames.size(), 2u) << "more-games icons loop";
    }
}

