// An animation of a sprite set: frames of placed atlas rectangles, with their bounds.
#pragma once

#include "gamelib/Animation.ptr"
#include "gamelib/AnimationArray.ptr"
#include "gamelib/Bounds.h"
#include "lang/DArray2d.h"

namespace gamelib {

class Animation : public vela::lang::DObject {
public:
    // Values per part in a frame row: x, y, image (bit 15: mirrored), visibility mask.
    static constexpr int32_t PART_VALUES = 4;
    // Values per entry in a rect row: id, x, y, width, height.
    static constexpr int32_t RECT_VALUES = 5;
    static constexpr int32_t MIRRORED = 0x8000;
    static constexpr int32_t INDEX_MASK = 0x7FFF;

    int32_t frameCount() const { return frames ? frames->length() : 0; }
    // The parts of a frame: its own, or those of the frame its single value names.
    vela::lang::DshortArrayPtr partsOf(int32_t frame) const;
    // The rect row of a frame, shared rows followed as for the parts; null without one.
    vela::lang::DshortArrayPtr rectsOf(int32_t frame) const;
    // The entry with `id` in the rect row of the frame (a shared row is followed once).
    bool findRect(int32_t id, int32_t frame, int32_t& x, int32_t& y, int32_t& width,
        int32_t& height) const;

    vela::lang::DshortArray2dPtr frames;
    vela::lang::DshortArray2dPtr rects;
    int32_t firstLeft = 0;
    int32_t firstTop = 0;
    int32_t firstWidth = 0;
    int32_t firstHeight = 0;
    int8_t extra1 = 0;
    int8_t extra2 = 0;
    int32_t allLeft = 0;
    int32_t allTop = 0;
    int32_t allRight = 0;
    int32_t allBottom = 0;
    int32_t currentLeft = 0;
    int32_t currentTop = 0;
    int32_t currentWidth = 0;
    int32_t currentHeight = 0;
};

class AnimationArray : public vela::lang::DObjectArrayOf<Animation> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace gamelib
