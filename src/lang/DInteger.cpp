// Boxed integers, number formatting and decimal parsing.
#include "lang/DInteger.h"

#include <cwctype>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/NumberText.h"

namespace vela::lang {

const char* DInteger::getClassName() const
{
    return "DInteger";
}

DStringPtr DInteger::toString()
{
    return toString(value, 10);
}

int32_t DInteger::hashCode()
{
    return value;
}

bool DInteger::equals(DObjectPtr other)
{
    if (!other)
        throwNullPointer(__FILE__, __LINE__);
    DInteger* number = dynamic_cast<DInteger*>(other.get());
    return number && number->value == value;
}

DStringPtr DInteger::toString(int32_t value, int32_t radix)
{
    char16_t units[NUMBER_TEXT_UNITS];
    int length = formatNumber(value, radix, units);
    return new DString(units, length);
}

DStringPtr DInteger::toString(int32_t value)
{
    return toString(value, 10);
}

// Digits accumulate in unsigned 32-bit arithmetic, so an overlong number wraps rather than
// overflowing.
int32_t DInteger::parseInt(const DStringPtr& text)
{
    const char16_t* p = text->getChars();
    while (*p && std::iswspace(static_cast<wint_t>(*p)))
        ++p;
    bool negative = *p == u'-';
    if (*p == u'-' || *p == u'+')
        ++p;
    if (*p < u'0' || *p > u'9')
        throwException(NumberFormatException);
    uint32_t magnitude = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p)
        magnitude = magnitude * 10 + (*p - u'0');
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

} // namespace vela::lang
