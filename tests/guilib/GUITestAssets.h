// Small drawables for GUI tests: solid images, a font, a sprite set.
#pragma once

#include <cstdint>
#include <vector>

#include "gamelib/ImageFont.h"
#include "gamelib/ImageManager.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

namespace guitest {

using vela::microedition::lcdui::DImagePtr;

DImagePtr solidImage(int32_t w, int32_t h, int32_t rgb);

// One page of Greek glyphs (outside the font's Latin cache, so no loading is needed):
// α 4, β 6, γ 8, δ 10 pixels wide, spacing 1, height `height`; α also sets the space (5).
gamelib::ImageFontPtr testFont(int32_t height = 10);

// A sprite set of one 8x8 rectangle and one animation of `frames` frames; frame f places the
// rectangle at (offsetX + f, offsetY) and carries rectangle id 1 at (2, 3, 4, 5).
gamelib::ImageManagerPtr testSprites(int32_t frames, int32_t offsetX = 0, int32_t offsetY = 0);

} // namespace guitest
