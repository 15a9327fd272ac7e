// One rectangle of a sprite set's atlas.
#pragma once

#include "gamelib/GameImage.ptr"
#include "gamelib/GameImageArray.ptr"
#include "gamelib/ImageManager.ptr"
#include "lang/DArray.h"
#include "microedition/lcdui/DGraphics.ptr"

namespace gamelib {

class GameImage : public vela::lang::DObject {
public:
    // The manager owns its images, so the back reference is not counted (a counted one would
    // keep both alive forever); an image is used only while its manager lives.
    GameImage(ImageManager* owner, int32_t x, int32_t y, int32_t width, int32_t height);

    // Stores the transform and moves the rectangle into the matching transformed atlas copy.
    virtual void setTransform(int32_t transform);
    void draw(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t x, int32_t y);

    ImageManager* owner;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    int32_t transform = 0;
};

class GameImageArray : public vela::lang::DObjectArrayOf<GameImage> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace gamelib
