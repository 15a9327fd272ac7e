// One look entry of a widget part: a drawable tied to a pattern of state bits.
#pragma once

#include <cstdint>

#include "guilib/GUIAnimation.h"
#include "guilib/GUIWidgetAnimation.ptr"

namespace guilib {

class GUIWidgetAnimation : public vela::lang::DObject {
public:
    GUIWidgetAnimation(uint32_t stateBits, uint32_t mask, const GUIAnimationPtr& animation)
        : stateBits(stateBits), mask(mask), animation(animation)
    {
    }

    bool isTransition() const { return (mask & 0x80000000u) != 0; }
    // The compared bits on which this entry agrees with `state`.
    int32_t score(uint32_t state) const;

    uint32_t stateBits;
    uint32_t mask;
    GUIAnimationPtr animation;
};

} // namespace guilib
