// Boxed 32-bit integer and the number conversions of the runtime.
#pragma once

#include "lang/DInteger.ptr"
#include "lang/DObject.h"

namespace vela::lang {

class DInteger : public DObject {
public:
    explicit DInteger(int32_t value) : value(value) { }

    const char* getClassName() const override;
    DStringPtr toString() override;
    int32_t hashCode() override;
    // Compares values with another DInteger; an empty reference throws NullPointerException.
    bool equals(DObjectPtr other) override;
    int32_t intValue() const { return value; }

    // Radix 10 and 16 only (16: lower case, "-" and the magnitude when negative); any other
    // radix gives the empty string.
    static DStringPtr toString(int32_t value, int32_t radix);
    static DStringPtr toString(int32_t value);
    // Decimal: leading white space, optional sign, the longest run of digits; what follows is
    // ignored. No digits throws NumberFormatException.
    static int32_t parseInt(const DStringPtr& text);

private:
    int32_t value;
};

} // namespace vela::lang
