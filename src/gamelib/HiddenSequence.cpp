// The hidden level jump.
#include "gamelib/HiddenSequence.h"

namespace gamelib {

namespace {
const int32_t KEY_ZERO = 48;
const int32_t FIRST_DIGIT = 4;
const int32_t DIGIT_STEP = 3;
}

void HiddenSequence::reset()
{
    // Digits 4, 7, 0, 3: each one DIGIT_STEP above the previous, modulo 10.
    int32_t digit = FIRST_DIGIT;
    for (int32_t i = 0; i < PREFIX_LENGTH; ++i) {
        table[i] = KEY_ZERO + digit;
        digit = (digit + DIGIT_STEP) % 10;
    }
    table[PREFIX_LENGTH] = 0;
    table[PREFIX_LENGTH + 1] = 0;
    position = 0;
    value = 0;
    entered = false;
}

bool HiddenSequence::feed(int32_t code)
{
    if (position >= PREFIX_LENGTH && position < LENGTH) {
        table[position++] = code - KEY_ZERO;
        if (position == LENGTH) {
            position = 0;
            value = table[PREFIX_LENGTH] * 10 + table[PREFIX_LENGTH + 1];
            entered = true;
        }
        return true;
    }
    if (code == table[position])
        ++position;
    else
        position = 0;
    return false;
}

} // namespace gamelib
