// Formatting of 32-bit integers as the runtime prints them (decimal, signed hexadecimal).
#pragma once

#include <cstdint>

namespace vela::lang {

// Room for "-80000000" and "-2147483648" with the terminator.
constexpr int NUMBER_TEXT_UNITS = 12;

// Radix 10: "%d"; radix 16: "%x", or "-" and the magnitude for a negative value; any other
// radix: empty. Returns the number of units written before the terminator.
int formatNumber(int32_t value, int32_t radix, char16_t (&out)[NUMBER_TEXT_UNITS]);

} // namespace vela::lang
