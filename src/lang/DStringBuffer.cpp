// Growable UTF-16 text builder.
#include "lang/DStringBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
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

// `required` counts the terminator. Grows to at least twice the old capacity; a size that no
// 32-bit length can describe fails as memory exhaustion before anything changes.
void DStringBuffer::ensureCapacity(int64_t required)
{
    if (required <= allocated)
        return;
    if (required > INT32_MAX)
        throw std::bad_alloc();
    int32_t grown = static_cast<int32_t>(std::min<int64_t>(
        std::max<int64_t>(required, int64_t { allocated } * 2), INT32_MAX));
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
    ensureCapacity(int64_t { count } + length + 1);
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
    ensureCapacity(int64_t { count } + 2);
    chars[count++] = unit;
    return this;
}

void DStringBuffer::setLength(int32_t length)
{
    if (length < 0)
        throwException(StringIndexOutOfBoundsException);
    ensureCapacity(int64_t { length } + 1);
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
