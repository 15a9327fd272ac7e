// Drawables built in memory for the GUI tests.
#include "GUITestAssets.h"

#include "lang/DString.h"

using namespace gamelib;
using vela::lang::DbyteArray;
using vela::lang::DintArray;
using vela::lang::DshortArray;
using vela::lang::DshortArray2d;
using vela::lang::DString;
using vela::microedition::lcdui::DImage;

namespace guitest {

DImagePtr solidImage(int32_t w, int32_t h, int32_t rgb)
{
    DImagePtr image = DImage::createImage(w, h);
    vela::microedition::lcdui::DGraphicsPtr g = image->getGraphics();
    g->setColor(rgb);
    g->fillRect(0, 0, w, h);
    return image;
}

ImageFontPtr testFont(int32_t height)
{
    static const int8_t glyphWidths[] = { 4, 6, 8, 10 };
    ImageFontPtr font = new ImageFont();
    vela::lang::DbyteArrayPtr widths = new DbyteArray(5);
    vela::lang::DintArrayPtr offsets = new DintArray(5);
    for (int32_t j = 0; j < 4; ++j) {
        (*widths)[j] = glyphWidths[j];
        (*offsets)[j + 1] = (*offsets)[j] + glyphWidths[j];
    }
    font->pages->set(0, solidImage((*offsets)[4], height, 0x0000FF));
    font->widths->set(0, widths);
    font->offsets->set(0, offsets);
    font->characters->set(0, new DString(u"αβγδ"));
    font->spacing = 1;
    font->pageCount = 1;
    return font;
}

ImageManagerPtr testSprites(int32_t frames, int32_t offsetX, int32_t offsetY)
{
    ImageManagerPtr set = new ImageManager();
    set->atlas = solidImage(8, 8, 0x00FF00);
    set->atlasWidth = set->atlasHeight = 8;
    set->images = new GameImageArray(1);
    set->images->set(0, new GameImage(set.get(), 0, 0, 8, 8));
    AnimationPtr animation = new Animation();
    animation->frames = new DshortArray2d(frames);
    animation->rects = new DshortArray2d(frames);
    for (int32_t f = 0; f < frames; ++f) {
        vela::lang::DshortArrayPtr part = new DshortArray(4);
        (*part)[0] = int16_t(offsetX + f);
        (*part)[1] = int16_t(offsetY);
        animation->frames->set(f, part);
        vela::lang::DshortArrayPtr rect = new DshortArray(5);
        for (int16_t k = 0; k < 5; ++k)
            (*rect)[k] = int16_t(k + 1); // id 1 at (2, 3), 4 x 5
        animation->rects->set(f, rect);
    }
    animation->firstLeft = offsetX;
    animation->firstTop = offsetY;
    animation->firstWidth = animation->firstHeight = 8;
    animation->allLeft = offsetX;
    animation->allTop = offsetY;
    animation->allRight = offsetX + frames - 1 + 8;
    animation->allBottom = offsetY + 8;
    set->animations = new AnimationArray(1);
    set->animations->set(0, animation);
    return set;
}

} // namespace guitest
