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
constexpr int kBallStates = 7;  // per colour: neutral, pleased, excited, preview, appearing, vanishing, selected
constexpr int kParticle = 35;
constexpr int kIndicatorMiddle = 36, kIndicatorLow = 37, kIndicatorHigh = 38;
constexpr int kCursor = 39;
constexpr int kBarFirst = 40;  // 4 per stage: lower edge, left end, right end, upper edge
constexpr int kBarStages = 7;
constexpr int kBlocksIcon = 68, kLinesIcon = 69, kMenuButton = 70, kNextFirst = 71, kPathDot = 76;
constexpr int kTipBlocks = 77, kTipLines3 = 78, kTipLines4 = 79, kTipLines5 = 80;
constexpr int kCount = 81;
}  // namespace game_anim

}  // namespace datagen
