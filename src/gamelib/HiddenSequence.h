// The hidden level jump: four fixed digit keys, then two digits that form a level number.
#pragma once

#include <cstdint>

namespace gamelib {

class HiddenSequence {
public:
    static constexpr int32_t LENGTH = 6;
    static constexpr int32_t PREFIX_LENGTH = LENGTH - 2;

    // Fills the four fixed codes (built at run time, so they do not stand in the binary as one
    // searchable sequence) and forgets any progress.
    void reset();
    // Feeds one key press; true when the press was one of the two digits and is used up.
    bool feed(int32_t code);

    int32_t position = 0;
    int32_t value = 0;
    bool entered = false;

private:
    int32_t table[LENGTH] = {};
};

} // namespace gamelib
