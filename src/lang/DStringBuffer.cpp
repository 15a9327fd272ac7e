// Growable UTF-16 text builder.
#include "lang/DStringBuffer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace vela::lang {

DStringBuffer::DStringBuffer()
    : allocated(INITIAL_CAPACITY), chars(new char16_t[INITIAL_CAPACITY]())
{
}

DStringBuffer::~DStringBuffer()
{
    delete[] chars;
}

// `required` counts the terminator. Grows to at least twice the old capacity.
void DStringBuffer::ensureCapacity(int32_t required)
{
    if (required <= allocated)
        return;
    int32_t grown = std::max(required, allocated * 2);
    char16_t* units = new char16_t[grown]();
    std::memcpy(units, chars, count * sizeof(char16_t));
    delete[] chars;
    chars = units;
    allocated = grown;
}

void DStringBuffer::appendUnits(const char16_t* units, int32_t length)
{
    // Text that lives in this buffer would be freed by the growth below: copy it first.
    if (units >= chars && units < chars + allocated) {
        std::u16string copy(units, length);
        appendUnits(copy.data(), length);
        return;
    }
    ensureCapacity(count + length + 1);
    std::memcpy(chars + count, units, length * sizeof(char16_t));
    count += length;
}

DStringBufferPtr DStringBuffer::append(const DStringPtr& text)
{
    if (!text)
        return append(u"null");
    appendUnits(text->getChars(), text->length());
    return this;
}

DStringBufferPtr DStringBuffer::append(const char16_t* literal)
{
    if (!literal)
        literal = u"null";
    int32_t length = 0;
    while (literal[length])
        ++length;
    appendUnits(literal, length);
    return this;
}

DStringBufferPtr DStringBuffer::append(char16_t unit)
{
    ensureCapacity(count + 2);
    chars[count++] = unit;
    return this;
}

void DStringBuffer::setLength(int32_t length)
{
    if (length < 0)
        throwException(StringIndexOutOfBoundsException);
    ensureCapacity(length + 1);
    if (length < count)
        std::fill(chars + length, chars + count, u'\0');
    count = length;
}

void DStringBuffer::setCharAt(int32_t index, char16_t unit)
{
    if (index < 0 || index >= count)
        throwException(StringIndexOutOfBoundsException);
    chars[index] = unit;
}

char16_t DStringBuffer::charAt(int32_t index) const
{
    if (index < 0 || index >= count)
        throwException(StringIndexOutOfBoundsException);
    return chars[index];
}

DStringPtr DStringBuffer::toString()
{
    return new DString(chars, count);
}

} // namespace vela::lang
