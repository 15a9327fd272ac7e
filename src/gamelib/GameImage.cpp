// One rectangle of a sprite set's atlas.
#include "gamelib/GameImage.h"

#include "gamelib/ImageManager.h"
#include "microedition/lcdui/DImage.h"

using vela::microedition::lcdui::DImage;

namespace gamelib {

GameImage::GameImage(ImageManager* owner, int32_t x, int32_t y, int32_t width, int32_t height)
    : owner(owner), x(x), y(y), width(width), height(height)
{
}

void GameImage::setTransform(int32_t t)
{
    transform = t;
    const int32_t atlasWidth = owner->atlasWidth;
    const int32_t atlasHeight = owner->atlasHeight;
    const int32_t ox = x, oy = y, ow = width, oh = height;
    switch (t) {
    case DImage::TRANS_MIRROR:
        x = atlasWidth - ow - ox;
        break;
    case DImage::TRANS_ROT90:
        x = atlasHeight - oh - oy;
        y = ox;
        width = oh;
        height = ow;
        break;
    case DImage::TRANS_ROT270:
        x = oy;
        y = atlasWidth - ow - ox;
        width = oh;
        height = ow;
        break;
    default:
        break;
    }
}

void GameImage::draw(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t px, int32_t py)
{
    owner->drawImage(g, this, px, py, 0, DImage::TRANS_NONE, false);
}

} // namespace gamelib
