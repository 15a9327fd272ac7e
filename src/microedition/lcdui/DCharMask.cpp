// One rendered character of a system font.
#include "microedition/lcdui/DCharMask.h"

namespace vela::microedition::lcdui {

DCharMask::DCharMask(char16_t ch, int32_t w, int32_t h)
    : character(ch), width(w > 0 ? w : 0), height(h > 0 ? h : 0), rows(size_t(width) * height, 0)
{
}

} // namespace vela::microedition::lcdui
