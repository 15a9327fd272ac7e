// An animation of a sprite set.
#include "gamelib/Animation.h"

using namespace vela::lang;

namespace gamelib {

namespace {

// The row of `frame` in `rows`, following a single-value (shared) row once; null when the
// frame or the row it names is out of range.
DshortArrayPtr resolve(const DshortArray2dPtr& rows, int32_t frame)
{
    if (!rows || frame < 0 || frame >= rows->length())
        return nullptr;
    DshortArrayPtr row = rows->get(frame);
    if (row && row->length() == 1) {
        int32_t shared = (*row)[0] & Animation::INDEX_MASK;
        row = shared < rows->length() ? rows->get(shared) : nullptr;
    }
    return row;
}

}

DshortArrayPtr Animation::partsOf(int32_t frame) const
{
    return resolve(frames, frame);
}

DshortArrayPtr Animation::rectsOf(int32_t frame) const
{
    return resolve(rects, frame);
}

bool Animation::findRect(int32_t id, int32_t frame, int32_t& x, int32_t& y, int32_t& width,
    int32_t& height) const
{
    DshortArrayPtr row = rectsOf(frame);
    if (!row)
        return false;
    for (int32_t i = 0; i + RECT_VALUES <= row->length(); i += RECT_VALUES) {
        if ((*row)[i] == id) {
            x = (*row)[i + 1];
            y = (*row)[i + 2];
            width = (*row)[i + 3];
            height = (*row)[i + 4];
            return true;
        }
    }
    return false;
}

} // namespace gamelib
