// Art of the game screen: board pictures and the "img/Game" sprite set.
#pragma once

#include "Canvas.h"
#include "Profiles.h"
#include "SpriteSet.h"

#include <string>
#include <vector>

namespace datagen {

// A single picture of the data; keyed pictures turn their transparent parts into the key colour.
struct Picture {
    std::string name;  // without ".png"
    Canvas canvas;
    Rgba matte;
    bool keyed;
};

int timeBarHeight(const Profile& p);
int timeBarEdge(const Profile& p);

// "img/back", "img/square", "img/border", "img/corner", the title pieces and the time bar tiles.
std::vector<Picture> boardPictures(const Profile& p);
// Every animation the game screen and the tips draw, numbered as the game addresses them.
SpriteSet gameSprites(const Profile& p, int tipIconHeight);

// Animation numbers of "img/Game".
namespace game_anim {
constexpr int BALL_STATES = 7;  // per colour: neutral, pleased, excited, preview, appearing, vanishing, selected
constexpr int PARTICLE = 35;
constexpr int INDICATOR_MIDDLE = 36, INDICATOR_LOW = 37, INDICATOR_HIGH = 38;
constexpr int CURSOR = 39;
constexpr int BAR_FIRST = 40;  // 4 per stage: lower edge, left end, right end, upper edge
constexpr int BAR_STAGES = 7;
constexpr int BLOCKS_ICON = 68, LINES_ICON = 69, MENU_BUTTON = 70, NEXT_FIRST = 71, PATH_DOT = 76;
constexpr int TIP_BLOCKS = 77, TIP_LINES3 = 78, TIP_LINES4 = 79, TIP_LINES5 = 80;
constexpr int COUNT = 81;
}  // namespace game_anim

}  // namespace datagen
