// Art of the menus: the "img/Menu" sprite set, the menu background, the keyboard frame,
// the logos and the language flags.
#pragma once

#include "GameArt.h"
#include "Typeface.h"

#include <algorithm>

namespace datagen {

struct TextHeights {
    int menu;  // height of the menu font's pages
    int game;  // height of the message font's pages
    int keyCell;  // side of a cell of the on-screen keyboard
    int softKeyText;  // widest soft-key label in any language
};

// Height of the soft-key plates at the bottom of every menu screen.
inline int softKeyHeight(const TextHeights& t) { return t.menu + 8; }
// Width of a menu item's plate, and of the text rectangle inside it.
inline int menuItemWidth(const Profile& p) { return p.width * 3 / 4; }
inline int menuItemTextWidth(const Profile& p) { return menuItemWidth(p) - 8; }
// Side of the more-games icons, which float left of their entry's text.
inline int moreGamesIconSize(const TextHeights& t) { return std::max(16, t.game * 2); }
// Width of the help text's scroll bar.
inline int scrollBarWidth(const Profile& p) { return std::max(8, p.cell / 2); }

SpriteSet menuSprites(const Profile& p, const TextHeights& t);
// "img/back_menu" and the three keyboard frame pieces.
std::vector<Picture> menuPictures(const Profile& p, const TextHeights& t);
// The about screen's text box is 5/8 of the screen high; the logo takes a third of it at most.
inline int logoMaxHeight(const Profile& p) { return p.height * 5 / 8 / 3; }
// "img/vandrel" (on the white logo screen) and the game's "logo", drawn with the given bold face.
std::vector<Picture> logoPictures(const Profile& p, const std::string& boldFontPath);
// A flag per language id, as tall as the menu text.
Picture flagPicture(const std::string& id, int height);

namespace menu_anim {
constexpr int SOFT_KEY = 0, ITEM_FOCUSED = 1, ITEM_PRESSED = 2, ITEM = 3, SCROLL_ARROW = 4;
constexpr int SLIDER_FRAME = 5, SLIDER_FOCUSED = 6, SLIDER_ENABLED = 7, SLIDER_DISABLED = 8;
constexpr int LIST_TOP = 9, LIST_BOTTOM = 10, ARROW_LEFT = 11, ARROW_RIGHT = 12;
constexpr int MORE_GAMES1 = 13, MORE_GAMES0 = 14, MORE_GAMES2 = 15;
constexpr int SCROLL_UP = 16, SCROLL_DOWN = 17, SCROLL_THUMB = 18, SCROLL_TRACK = 19;
constexpr int COUNT = 20;
}  // namespace menu_anim

}  // namespace datagen
