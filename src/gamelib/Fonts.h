// The process-wide table of the four bitmap fonts and the current font's text operations.
#pragma once

#include "gamelib/ImageFont.h"

namespace gamelib {

class Fonts {
public:
    enum { MENU = 0, MENU_RED = 1, GAME = 2, SCORE = 3, COUNT = 4 };

    // Loads prefix + "/menu", "/menu_red", "/game", "/score"; the current font becomes 0.
    static void loadFonts(const vela::lang::DStringPtr& prefix);
    // A font of the table; an empty font before loading.
    static ImageFontPtr get(int32_t index);
    static void setCurrentFont(int32_t index);
    static int32_t height();
    static int32_t stringWidth(const vela::lang::DStringPtr& s);
    static void drawString(const vela::microedition::lcdui::DGraphicsPtr& g,
        const vela::lang::DStringPtr& s, int32_t x, int32_t y, int32_t anchor);
    // Forgets the table (at exit).
    static void release();
};

} // namespace gamelib
