// Sprite-set queries of animation looks, on the game library's image manager.
#include "guilib/GUISprites.h"

#include "gamelib/ImageManager.h"

using gamelib::Animation;
using gamelib::ImageManagerPtr;

namespace guilib {

Animation* spriteAnimation(const ImageManagerPtr& images, int32_t index)
{
    if (!images || index < 0 || index >= images->animationCount())
        return nullptr;
    return images->getAnimation(index).get();
}

GUIRect spriteFirstFrameBounds(const Animation& a)
{
    return { a.firstLeft, a.firstTop, a.firstWidth, a.firstHeight };
}

GUIRect spriteAllFrameBounds(const Animation& a)
{
    // An animation without parts keeps its empty start values; it has no size.
    if (a.allRight < a.allLeft || a.allBottom < a.allTop)
        return {};
    return { a.allLeft, a.allTop, a.allRight - a.allLeft, a.allBottom - a.allTop };
}

GUIRect spriteFrameRect(const Animation& a, int32_t id, int32_t frame)
{
    GUIRect r;
    if (!a.findRect(id, frame, r.x, r.y, r.width, r.height))
        return {};
    return r;
}

int32_t spriteDraw(const ImageManagerPtr& images, int32_t index, const DGraphicsPtr& g,
                   int32_t x, int32_t y, int32_t frame)
{
    return images->drawAnimation(g, index, x, y, frame, 0, false);
}

} // namespace guilib
