// A growing box: the union of rectangles, with a defined answer when it holds none.
#pragma once

#include <cstdint>
#include <limits>

namespace gamelib {

struct Bounds {
    static constexpr int32_t EMPTY_LOW = std::numeric_limits<int32_t>::max();
    static constexpr int32_t EMPTY_HIGH = std::numeric_limits<int32_t>::min();

    int32_t left = EMPTY_LOW;
    int32_t top = EMPTY_LOW;
    int32_t right = EMPTY_HIGH;
    int32_t bottom = EMPTY_HIGH;

    void include(int32_t l, int32_t t, int32_t r, int32_t b)
    {
        if (l < left)
            left = l;
        if (t < top)
            top = t;
        if (r > right)
            right = r;
        if (b > bottom)
            bottom = b;
    }
    bool isEmpty() const { return left == EMPTY_LOW; }
    // A box that holds nothing reads as 0, 0, 0, 0 rather than the start values, whose
    // differences overflow.
    Bounds settled() const { return isEmpty() ? Bounds{0, 0, 0, 0} : *this; }
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};

} // namespace gamelib
