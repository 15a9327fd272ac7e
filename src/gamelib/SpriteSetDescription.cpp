// Reading a sprite set's description (".bin"): rectangles, then animations of frames.
#include "gamelib/ImageManager.h"

#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"

using namespace vela::lang;
using vela::io::DDataInputStream;

namespace gamelib {

namespace {

const int32_t SHARED = 0x8000;
const int32_t COUNT_MASK = 0x7FFF;
const int32_t HAS_EXTRAS = 0x8000;
const int32_t RECT_BYTES = 8;
const int32_t PART_BYTES = 7;
const int32_t RECT_ENTRY_BYTES = 10;

// Refuses a declared size before allocating for it when the data cannot hold it, so that a
// damaged count never turns into a huge allocation.
void requireBytes(DDataInputStream& in, int64_t bytes)
{
    if (in.available() < bytes)
        throwException(EOFException);
}

int32_t readCount(DDataInputStream& in, int32_t recordBytes)
{
    int32_t count = in.readShort();
    if (count < 0)
        throwException(IOException);
    requireBytes(in, int64_t(count) * recordBytes);
    return count;
}

// One frame row: its parts, or the single index of the frame whose parts it shares.
DshortArrayPtr readFrame(DDataInputStream& in, const GameImageArray& images, Bounds& all,
    Bounds* first)
{
    const int32_t word = in.readUnsignedShort();
    if (word & SHARED) {
        DshortArrayPtr row = new DshortArray(1);
        (*row)[0] = int16_t(word & COUNT_MASK);
        return row;
    }
    requireBytes(in, int64_t(word) * PART_BYTES);
    DshortArrayPtr row = new DshortArray(word * Animation::PART_VALUES);
    for (int32_t i = 0; i < word; ++i) {
        const int16_t x = in.readShort();
        const int16_t y = in.readShort();
        const int16_t image = in.readShort();
        const int32_t mask = in.readByte() & 0xFF;
        const int32_t index = image & Animation::INDEX_MASK;
        if (index >= images.length())
            throwException(IOException);
        const GameImagePtr rect = images.get(index);
        all.include(x, y, x + rect->width, y + rect->height);
        if (first)
            first->include(x, y, x + rect->width, y + rect->height);
        int16_t* values = row->data() + i * Animation::PART_VALUES;
        values[0] = x;
        values[1] = y;
        values[2] = image;
        values[3] = int16_t(mask);
    }
    return row;
}

// One rect row: entries of id, x, y, width, height, or the index of the row it shares.
DshortArrayPtr readRectRow(DDataInputStream& in)
{
    const int32_t word = in.readUnsignedShort();
    if (word & SHARED) {
        DshortArrayPtr row = new DshortArray(1);
        (*row)[0] = int16_t(word & COUNT_MASK);
        return row;
    }
    requireBytes(in, int64_t(word) * RECT_ENTRY_BYTES);
    DshortArrayPtr row = new DshortArray(word * Animation::RECT_VALUES);
    for (int32_t i = 0; i < row->length(); ++i)
        (*row)[i] = in.readShort();
    return row;
}

AnimationPtr readAnimation(DDataInputStream& in, const GameImageArray& images)
{
    AnimationPtr animation = new Animation();
    const int32_t word = in.readUnsignedShort();
    const int32_t frameCount = word & COUNT_MASK;
    if (word & HAS_EXTRAS) {
        animation->extra1 = in.readByte();
        animation->extra2 = in.readByte();
    }
    requireBytes(in, int64_t(frameCount) * 2 + 1);
    animation->frames = new DshortArray2d(frameCount);
    Bounds all, first;
    for (int32_t f = 0; f < frameCount; ++f)
        animation->frames->set(f, readFrame(in, images, all, f == 0 ? &first : nullptr));
    if (in.readByte() != 0) {
        requireBytes(in, int64_t(frameCount) * 2);
        animation->rects = new DshortArray2d(frameCount);
        for (int32_t f = 0; f < frameCount; ++f)
            animation->rects->set(f, readRectRow(in));
    }
    first = first.settled();
    animation->firstLeft = first.left;
    animation->firstTop = first.top;
    animation->firstWidth = first.width();
    animation->firstHeight = first.height();
    all = all.settled();
    animation->allLeft = all.left;
    animation->allTop = all.top;
    animation->allRight = all.right;
    animation->allBottom = all.bottom;
    return animation;
}

}

void ImageManager::readDescription(DDataInputStream& in)
{
    const int32_t imageCount = readCount(in, RECT_BYTES);
    GameImageArrayPtr rects = new GameImageArray(imageCount);
    for (int32_t i = 0; i < imageCount; ++i) {
        const int16_t x = in.readShort();
        const int16_t y = in.readShort();
        const int16_t width = in.readShort();
        const int16_t height = in.readShort();
        rects->set(i, new GameImage(this, x, y, width, height));
    }
    const int32_t animationCount = readCount(in, 3);
    AnimationArrayPtr list = new AnimationArray(animationCount);
    for (int32_t i = 0; i < animationCount; ++i)
        list->set(i, readAnimation(in, *rects));
    images = rects;
    animations = list;
}

} // namespace gamelib
