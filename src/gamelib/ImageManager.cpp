// A sprite set: loading the atlas and drawing its rectangles and animation frames.
#include "gamelib/ImageManager.h"

#include "gamelib/Resources.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

#include <utility>

using namespace vela::lang;
using vela::io::DDataInputStream;
using vela::io::DInputStreamPtr;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImage;
using vela::microedition::lcdui::DImagePtr;

namespace gamelib {

namespace {

// The slot of each transform's copy, in the order the copies are kept.
int32_t copySlot(int32_t transform)
{
    switch (transform) {
    case DImage::TRANS_ROT270: return 0;
    case DImage::TRANS_ROT90: return 1;
    case DImage::TRANS_ROT180: return 2;
    case DImage::TRANS_MIRROR: return 3;
    default: return -1;
    }
}

// Where the rectangle (x, y, w, h) of an atlas of aw x ah lands in the transformed copy.
void positionInCopy(int32_t transform, const GameImage& image, int32_t aw, int32_t ah,
    int32_t& sx, int32_t& sy)
{
    const int32_t x = image.x, y = image.y, w = image.width, h = image.height;
    switch (transform) {
    case DImage::TRANS_MIRROR: sx = aw - w - x; sy = y; break;
    case DImage::TRANS_ROT180: sx = aw - w - x; sy = ah - h - y; break;
    case DImage::TRANS_ROT90: sx = ah - h - y; sy = x; break;
    case DImage::TRANS_ROT270: sx = y; sy = aw - w - x; break;
    default: sx = x; sy = y; break;
    }
}

bool turnsQuarter(int32_t transform)
{
    return transform == DImage::TRANS_ROT90 || transform == DImage::TRANS_ROT270;
}

}

ImageManager::ImageManager() = default;
ImageManager::~ImageManager() = default;

void ImageManager::clear()
{
    images = new GameImageArray(0);
    animations = new AnimationArray(0);
    atlas = nullptr;
    for (DImagePtr& copy : transformed)
        copy = nullptr;
    atlasWidth = 0;
    atlasHeight = 0;
}

void ImageManager::load(const char16_t* name)
{
    load(DStringPtr(new DString(name)));
}

void ImageManager::load(const DStringPtr& name)
{
    clear();
    DInputStreamPtr stream = Resources::openResource(name + u".bin");
    if (!stream)
        return;
    try {
        vela::io::DDataInputStreamPtr in = new DDataInputStream(stream);
        readDescription(*in);
    } catch (DExceptionBase*) {
        stream->close();
        clear();
        throw;
    }
    stream->close();
    atlas = Resources::loadImage(name);
    if (atlas) {
        atlasWidth = atlas->getWidth();
        atlasHeight = atlas->getHeight();
    }
}

GameImagePtr ImageManager::getImage(int32_t index)
{
    return images->get(index);
}

DImagePtr ImageManager::createImage(int32_t index)
{
    if (!images || index < 0 || index >= images->length() || !atlas)
        return nullptr;
    GameImagePtr image = images->get(index);
    if (image->width < 1 || image->height < 1)
        return nullptr;
    DImagePtr copy = DImage::createImage(image->width, image->height);
    DGraphicsPtr g = copy->getGraphics();
    g->drawImageOpaque(atlas, -image->x, -image->y, DGraphics::TOP | DGraphics::LEFT);
    return copy;
}

DImagePtr ImageManager::sourceFor(int32_t transform)
{
    if (transform == DImage::TRANS_NONE || !atlas)
        return atlas;
    int32_t slot = copySlot(transform);
    if (slot < 0)
        return nullptr;
    if (!transformed[slot])
        transformed[slot] = DImage::createImage(atlas, transform);
    return transformed[slot];
}

void ImageManager::drawImage(const DGraphicsPtr& g, const GameImagePtr& image, int32_t x,
    int32_t y, int32_t anchor, int32_t transform, bool alternate)
{
    DImagePtr source = sourceFor(transform);
    if (!image || !source)
        return;
    int32_t w = image->width, h = image->height;
    if (turnsQuarter(transform))
        std::swap(w, h);
    if (anchor & DGraphics::HCENTER)
        x -= w >> 1;
    if (anchor & DGraphics::RIGHT)
        x -= w;
    if (anchor & DGraphics::VCENTER)
        y -= h >> 1;
    if (anchor & DGraphics::BOTTOM)
        y -= h;
    const int32_t clipX = g->getClipX(), clipY = g->getClipY();
    const int32_t clipWidth = g->getClipWidth(), clipHeight = g->getClipHeight();
    g->clipRect(x, y, w, h);
    int32_t sx, sy;
    positionInCopy(transform, *image, atlasWidth, atlasHeight, sx, sy);
    if (alternate)
        g->drawImageOpaque(source, x - sx, y - sy, DGraphics::TOP | DGraphics::LEFT);
    else
        g->drawImage(source, x - sx, y - sy, DGraphics::TOP | DGraphics::LEFT);
    g->setClip(clipX, clipY, clipWidth, clipHeight);
}

int32_t ImageManager::drawAnimation(const DGraphicsPtr& g, int32_t index, int32_t x, int32_t y,
    int32_t frame, int32_t mask, bool mirror)
{
    if (frame < 0)
        return frame;
    AnimationPtr animation = animations->get(index);
    DshortArrayPtr parts = animation->partsOf(frame);
    Bounds current;
    const int32_t count = parts ? parts->length() : 0;
    for (int32_t i = 0; i + Animation::PART_VALUES <= count; i += Animation::PART_VALUES) {
        const int32_t px = (*parts)[i], py = (*parts)[i + 1];
        const int32_t imageWord = (*parts)[i + 2] & 0xFFFF;
        const int32_t partMask = (*parts)[i + 3];
        const int32_t imageIndex = imageWord & Animation::INDEX_MASK;
        if (imageIndex >= images->length())
            continue;
        GameImagePtr image = images->get(imageIndex);
        if (partMask == 0 || (partMask & mask) != 0) {
            bool mirrored = (imageWord & Animation::MIRRORED) != 0 || mirror;
            drawImage(g, image, x + px, y + py, 0,
                mirrored ? DImage::TRANS_MIRROR : DImage::TRANS_NONE, false);
        }
        current.include(x + px, y + py, x + px + image->width, y + py + image->height);
    }
    Bounds settled = current.settled();
    animation->currentLeft = settled.left;
    animation->currentTop = settled.top;
    animation->currentWidth = settled.width();
    animation->currentHeight = settled.height();
    int32_t next = frame + 1;
    return next >= animation->frameCount() ? 0 : next;
}

} // namespace gamelib
