// One rendered character of a system font: its advance and coverage rows.
#pragma once

#include "lang/DObject.h"
#include "microedition/lcdui/DCharMask.ptr"

#include <cstdint>
#include <vector>

namespace vela::microedition::lcdui {

class DCharMask : public lang::DObject {
public:
    // All rows blank.
    DCharMask(char16_t character, int32_t width, int32_t height);

    const uint8_t* row(int32_t y) const { return rows.data() + size_t(y) * width; }
    uint8_t* row(int32_t y) { return rows.data() + size_t(y) * width; }

    char16_t character;
    int32_t width;
    int32_t height;
    // 0xFF where the glyph has ink, else 0.
    std::vector<uint8_t> rows;
};

} // namespace vela::microedition::lcdui
