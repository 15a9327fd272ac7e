// Pictures and sprite sets, for every profile: what the built data's check cannot see.
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

TEST(BoardPictures, LeaveNoHolesWhereTheGameBlendsAndNoStepWhereCornerAndStripMeet)
{
    auto same = [](const Rgba& a, const Rgba& b) {
        return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b) + std::fabs(a.a - b.a) < 0.01f;
    };
    for (const Profile& p : profiles()) {
        auto pics = byName(boardPictures(p));
        // The panel and the tile are turned into pixels and blended: a transparent pixel would
        // show as white there.
        for (const char* opaque : {"img/square", "img/titlel", "img/titlem", "img/titler", "pbar_back", "pbar_sel"})
            EXPECT_EQ(keyPixels(pics.at(opaque)), 0) << opaque << " " << p.resolutionFile();
        const Canvas &corner = pics.at("img/corner").canvas, &strip = pics.at("img/border").canvas;
        for (int k = 0; k < p.border; ++k) {
            EXPECT_TRUE(same(corner.at(p.border - 1, k), strip.at(0, k))) << k << " " << p.resolutionFile();
            EXPECT_TRUE(same(corner.at(k, p.border - 1), strip.at(0, k))) << k << " " << p.resolutionFile();
        }
    }
}

TEST(GameSprites, AnimateWhatMovesAndCentreWhatMarksACell)
{
    for (const Profile& p : profiles()) {
        SpriteSet set = gameSprites(p, p.gameFont);
        for (int colour = 0; colour < COLOURS; ++colour) {
            int base = colour * game_anim::BALL_STATES;
            for (int animated : {4, 5, 6})  // growing in, vanishing, a selected ball's bounce
                EXPECT_GE(set.animation(base + animated).frames.size(), 2u) << colour << " " << animated;
            EXPECT_NE(set.animation(base).frames[0][0].image, set.animation(base + 2).frames[0][0].image)
                << "moods differ";
        }
        for (int centred : {game_anim::CURSOR, game_anim::PATH_DOT}) {
            const Part& part = set.animation(centred).frames[0][0];
            EXPECT_EQ(part.x, -set.picture(part.image).width() / 2) << "drawn at the cell's centre";
        }
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

TEST(MenuSprites, FitTheirLabelsAndLineUpFillsArrowsAndMarks)
{
    for (const Profile& p : profiles()) {
        TextHeights t{p.menuFont + 4, p.gameFont + 4, 30, p.width / 3};
        SpriteSet set = menuSprites(p, t);
        TextHeights tooWide = t;
        tooWide.softKeyText = p.width / 2;
        EXPECT_THROW(menuSprites(p, tooWide), std::runtime_error) << "two soft-key plates no longer fit";
        auto [itemW, itemH] = frameSize(set, set.animation(menu_anim::ITEM).frames[0]);
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
