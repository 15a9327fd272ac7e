// Integer to text conversion shared by DInteger and the exception names.
#include "lang/NumberText.h"

#include <cstdio>

namespace vela::lang {

int formatNumber(int32_t value, int32_t radix, char16_t (&out)[NUMBER_TEXT_UNITS])
{
    char digits[NUMBER_TEXT_UNITS] = "";
    if (radix == 10) {
        std::snprintf(digits, sizeof digits, "%d", value);
    } else if (radix == 16) {
        // The magnitude in unsigned arithmetic, so that INT32_MIN has one too.
        uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : value;
        std::snprintf(digits, sizeof digits, value < 0 ? "-%x" : "%x", magnitude);
    }
    int n = 0;
    for (; digits[n]; ++n)
        out[n] = static_cast<char16_t>(digits[n]);
    out[n] = 0;
    return n;
}

} // namespace vela::lang
