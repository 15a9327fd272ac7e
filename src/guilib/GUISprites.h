// The sprite-set queries that animation looks need (library-internal).
#pragma once

#include <cstdint>

#include "gamelib/Animation.ptr"
#include "gamelib/ImageManager.ptr"
#include "guilib/GUIGraphics.h"
#include "guilib/GUIRect.h"

namespace guilib {

// The animation at `index`, or null when the set has none there.
gamelib::Animation* spriteAnimation(const gamelib::ImageManagerPtr& images, int32_t index);
// Left, top, width and height of the union of the first frame's parts.
GUIRect spriteFirstFrameBounds(const gamelib::Animation& animation);
// Left, top, width and height of the union of every frame's parts.
GUIRect spriteAllFrameBounds(const gamelib::Animation& animation);
// The rectangle `id` of `frame`, all zeros when there is none.
GUIRect spriteFrameRect(const gamelib::Animation& animation, int32_t id, int32_t frame);
// Draws `frame` at (x, y); returns the frame to show next (0 after the last).
int32_t spriteDraw(const gamelib::ImageManagerPtr& images, int32_t index, const DGraphicsPtr& g,
                   int32_t x, int32_t y, int32_t frame);

} // namespace guilib
