// Everything the GUI draws that is not text: a sprite-set animation, an image or a rectangle.
#pragma once

#include <cstdint>

#include "gamelib/Animation.ptr"
#include "gamelib/ImageManager.h"
#include "guilib/GUIAnimation.ptr"
#include "guilib/GUIGraphics.h"
#include "guilib/GUIRect.h"
#include "lang/DObject.h"
#include "microedition/lcdui/DImage.ptr"

namespace guilib {

class GUIAnimation : public vela::lang::DObject {
public:
    enum : int32_t { KIND_ANIMATION = 0, KIND_RECTANGLE = 1, KIND_IMAGE = 2 };

    GUIAnimation(const gamelib::ImageManagerPtr& images, int32_t animationIndex, bool loop);
    GUIAnimation(int32_t fillColor, int32_t borderColor);
    explicit GUIAnimation(const vela::microedition::lcdui::DImagePtr& image);
    ~GUIAnimation() override;

    // Draws the current frame; returns the frame to show next (kind 0) or 0.
    int32_t draw(const DGraphicsPtr& g, int32_t x, int32_t y, bool useFrameOffset);
    void drawAndAdvance(const DGraphicsPtr& g, int32_t x, int32_t y);
    void drawAndAdvance(const DGraphicsPtr& g, int32_t x, int32_t y, bool useFrameOffset);
    void drawTiled(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h,
                   bool useFrameOffset);

    GUIPoint getFrameSize() const;
    GUIPoint getBoundsSize() const;
    // Left and top of the first frame's bounds (kind 0; 0 for the other kinds).
    GUIPoint getFrameOffset() const;
    GUIRect getFrameRect(int32_t rectId) const;
    void setFrame(int32_t f);
    void setFinished(bool b);
    bool isFinished() const;
    gamelib::Animation* getAnimation() const;

    int32_t kind;
    gamelib::ImageManagerPtr images;
    vela::microedition::lcdui::DImagePtr image;
    int32_t fillColor = -1;
    int32_t borderColor = -1;
    int32_t width = 0;
    int32_t height = 0;
    int32_t animationIndex = 0;
    int32_t frame = 0;
    bool loop = false;
    bool finished = false;
};

} // namespace guilib
