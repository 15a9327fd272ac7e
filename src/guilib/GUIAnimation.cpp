// Drawing of looks: single frames with offsets, advancing, tiling; sizes and frame rectangles.
#include "guilib/GUIAnimation.h"

#include "guilib/GUISprites.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using gamelib::Animation;
using gamelib::ImageManagerPtr;
using vela::microedition::lcdui::DImagePtr;

namespace guilib {

GUIAnimation::GUIAnimation(const ImageManagerPtr& images, int32_t animationIndex, bool loop)
    : kind(KIND_ANIMATION), images(images), animationIndex(animationIndex), loop(loop)
{
}

GUIAnimation::GUIAnimation(int32_t fillColor, int32_t borderColor)
    : kind(KIND_RECTANGLE), fillColor(fillColor), borderColor(borderColor)
{
}

GUIAnimation::GUIAnimation(const DImagePtr& image) : kind(KIND_IMAGE), image(image) { }

GUIAnimation::~GUIAnimation() = default;

Animation* GUIAnimation::getAnimation() const
{
    return kind == KIND_ANIMATION ? spriteAnimation(images, animationIndex) : nullptr;
}

GUIPoint GUIAnimation::getFrameOffset() const
{
    if (Animation* a = getAnimation()) {
        GUIRect r = spriteFirstFrameBounds(*a);
        return { r.x, r.y };
    }
    return { 0, 0 };
}

GUIPoint GUIAnimation::getFrameSize() const
{
    if (Animation* a = getAnimation()) {
        GUIRect r = spriteFirstFrameBounds(*a);
        return { r.width, r.height };
    }
    if (kind == KIND_IMAGE && image)
        return { image->getWidth(), image->getHeight() };
    return { 0, 0 };
}

GUIPoint GUIAnimation::getBoundsSize() const
{
    if (Animation* a = getAnimation()) {
        GUIRect r = spriteAllFrameBounds(*a);
        return { r.width, r.height };
    }
    if (kind == KIND_IMAGE && image)
        return { image->getWidth(), image->getHeight() };
    return { 0, 0 };
}

GUIRect GUIAnimation::getFrameRect(int32_t rectId) const
{
    if (Animation* a = getAnimation())
        return spriteFrameRect(*a, rectId, frame);
    return {};
}

void GUIAnimation::setFrame(int32_t f)
{
    if (kind == KIND_ANIMATION)
        frame = f;
}

void GUIAnimation::setFinished(bool b)
{
    if (kind == KIND_ANIMATION)
        finished = b;
}

bool GUIAnimation::isFinished() const
{
    return kind != KIND_ANIMATION || finished;
}

int32_t GUIAnimation::draw(const DGraphicsPtr& g, int32_t x, int32_t y, bool useFrameOffset)
{
    switch (kind) {
    case KIND_ANIMATION: {
        Animation* a = getAnimation();
        if (!a)
            return 0;
        if (useFrameOffset) {
            GUIRect first = spriteFirstFrameBounds(*a);
            x += first.x;
            y += first.y;
        }
        // The top-left corner of the all-frame bounds lands on (x, y).
        GUIRect all = spriteAllFrameBounds(*a);
        int32_t next = spriteDraw(images, animationIndex, g, x - all.x, y - all.y, frame);
        finished = !loop && next == 0;
        return next;
    }
    case KIND_RECTANGLE:
        if (width > 0 && height > 0) {
            int32_t saved = g->getColor();
            if (fillColor != -1) {
                g->setColor(fillColor);
                g->fillRect(x, y, width - 1, height - 1);
            }
            if (borderColor != -1) {
                g->setColor(borderColor);
                g->drawRect(x, y, width - 1, height - 1);
            }
            g->setColor(saved);
        }
        return 0;
    default:
        if (image)
            g->drawImage(image, x, y, 0);
        return 0;
    }
}

void GUIAnimation::drawAndAdvance(const DGraphicsPtr& g, int32_t x, int32_t y)
{
    drawAndAdvance(g, x, y, false);
}

void GUIAnimation::drawAndAdvance(const DGraphicsPtr& g, int32_t x, int32_t y,
                                  bool useFrameOffset)
{
    int32_t next = draw(g, x, y, useFrameOffset);
    if (kind != KIND_ANIMATION)
        return;
    finished = !loop && next == 0;
    // A finished animation keeps showing its last frame.
    if (!finished)
        frame = next;
}

void GUIAnimation::drawTiled(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h,
                             bool useFrameOffset)
{
    int32_t cx = g->getClipX(), cy = g->getClipY();
    int32_t cw = g->getClipWidth(), ch = g->getClipHeight();
    if (kind == KIND_ANIMATION && useFrameOffset) {
        GUIPoint offset = getFrameOffset();
        x += offset.x;
        y += offset.y;
    }
    g->clipRect(x, y, w, h);
    if (kind == KIND_RECTANGLE) {
        int32_t oldWidth = width, oldHeight = height;
        width = w;
        height = h;
        draw(g, x, y, false);
        width = oldWidth;
        height = oldHeight;
    } else {
        GUIPoint tile = getFrameSize();
        // A tile of no size would never cover the area: draw it once.
        int32_t stepX = tile.x > 0 ? tile.x : w + 1;
        int32_t stepY = tile.y > 0 ? tile.y : h + 1;
        int32_t next = 0;
        bool drawn = false;
        for (int32_t ty = y; ty < y + h; ty += stepY)
            for (int32_t tx = x; tx < x + w; tx += stepX) {
                next = draw(g, tx, ty, false);
                drawn = true;
            }
        // An empty area shows no frame, so the animation does not move on.
        if (kind == KIND_ANIMATION && drawn && (next != 0 || loop))
            frame = next;
    }
    g->setClip(cx, cy, cw, ch);
}

} // namespace guilib
