// Scoring of look entries against a widget state.
#include "guilib/GUIWidgetAnimation.h"

#include <bitset>

namespace guilib {

int32_t GUIWidgetAnimation::score(uint32_t state) const
{
    uint32_t agreeing = mask & 0x7FFFFFFFu & ~(stateBits ^ state);
    return static_cast<int32_t>(std::bitset<32>(agreeing).count());
}

} // namespace guilib
