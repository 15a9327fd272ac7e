// Numbers on the tools' command lines: the whole argument, in decimal, within a range.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <string>
#include <type_traits>

// The bounds take their type from the value (a context that deduces nothing).
template <class Number>
using BoundOf = typename std::common_type<Number>::type;

// True when all of `text` is one number in [low, high]: a whole number for an integer type, a
// decimal one for a floating-point type. `value` changes only then.
template <class Number>
bool parseNumber(const std::string& text, BoundOf<Number> low, BoundOf<Number> high, Number& value)
{
    static_assert(std::is_arithmetic_v<Number>);
    using Parsed = std::conditional_t<std::is_floating_point_v<Number>, double, long long>;
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    Parsed parsed;
    if constexpr (std::is_floating_point_v<Number>)
        parsed = std::strtod(start, &end);
    else
        parsed = std::strtoll(start, &end, 10);
    // Written so that a NaN fails too.
    if (errno != 0 || end == start || *end != '\0' || !(parsed >= Parsed(low) && parsed <= Parsed(high)))
        return false;
    value = Number(parsed);
    return true;
}
