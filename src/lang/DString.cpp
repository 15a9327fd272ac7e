// Immutable UTF-16 strings: searches, comparisons, conversions and concatenation.
#include "lang/DString.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DStringBuffer.h"

namespace vela::lang {

namespace {

int32_t terminatedLength(const char16_t* text)
{
    int32_t n = 0;
    if (text)
        while (text[n])
            ++n;
    return n;
}

char16_t* copyUnits(const char16_t* text, int32_t length)
{
    char16_t* units = new char16_t[length + 1];
    if (length > 0)
        std::memcpy(units, text, length * sizeof(char16_t));
    units[length] = 0;
    return units;
}

// The text up to its first 0 unit, as the terminated comparisons see it.
std::u16string_view terminatedView(const char16_t* text)
{
    return { text, static_cast<size_t>(terminatedLength(text)) };
}

void checkIndex(bool valid)
{
    if (!valid)
        throwException(StringIndexOutOfBoundsException);
}

// A terminated copy with every unit passed through a wide-character case conversion.
char16_t* convertedUnits(const char16_t* text, int32_t length, wint_t (*convert)(wint_t))
{
    char16_t* units = copyUnits(text, length);
    for (int32_t i = 0; i < length; ++i)
        units[i] = static_cast<char16_t>(convert(static_cast<wint_t>(units[i])));
    return units;
}

const char16_t NULL_TEXT[] = u"null";

} // namespace

DString::DString() : count(0), chars(copyUnits(nullptr, 0)) { }

DString::DString(const char16_t* text)
    : count(terminatedLength(text)), chars(copyUnits(text, count))
{
}

DString::DString(const char16_t* text, int32_t length)
    : count(text ? std::max(length, 0) : 0), chars(copyUnits(text, count))
{
}

DString::DString(const char* text) : count(0), chars(nullptr)
{
    while (text && text[count])
        ++count;
    chars = new char16_t[count + 1];
    for (int32_t i = 0; i < count; ++i)
        chars[i] = static_cast<char16_t>(static_cast<int16_t>(static_cast<int8_t>(text[i])));
    chars[count] = 0;
}

DString::DString(const DStringPtr& other)
    : count(other->count), chars(copyUnits(other->chars, count))
{
}

DString::DString(Adopt, char16_t* units, int32_t length) : count(length), chars(units) { }

DString::~DString()
{
    delete[] chars;
}

DStringPtr DString::fromUtf8(std::string_view text)
{
    std::u16string units;
    units.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0
            : lead >= 0xF8      ? -1
            : lead >= 0xF0      ? 3
            : lead >= 0xE0      ? 2
            : lead >= 0xC0      ? 1
                                : -1;
        uint32_t code = extra <= 0 ? lead : lead & (0x3F >> extra);
        bool valid = extra >= 0 && i + extra < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            unsigned char c = static_cast<unsigned char>(text[i + k]);
            valid = (c & 0xC0) == 0x80;
            code = code << 6 | (c & 0x3F);
        }
        // Overlong forms are refused, so no text can smuggle in a hidden terminator.
        static const uint32_t smallest[] = { 0, 0x80, 0x800, 0x10000 };
        valid = valid && code >= smallest[extra];
        if (!valid || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            units += u'\xFFFD';
            ++i;
            continue;
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (code >> 10));
            units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return new DString(units.data(), static_cast<int32_t>(units.size()));
}

std::string DString::toUtf8() const
{
    std::string out;
    out.reserve(count);
    for (int32_t i = 0; i < count; ++i) {
        uint32_t code = chars[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < count && chars[i + 1] >= 0xDC00
            && chars[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (chars[++i] - 0xDC00);
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

DStringPtr DString::toString()
{
    return this;
}

int32_t DString::hashCode()
{
    if (hash == 0) {
        uint32_t h = 0;
        for (int32_t i = 0; i < count; ++i)
            h = h * 31 + chars[i];
        hash = static_cast<int32_t>(h);
    }
    return hash;
}

bool DString::equals(DObjectPtr other)
{
    if (!other)
        return false;
    DStringPtr text = other->toString();
    return text && terminatedView(chars) == terminatedView(text->chars);
}

bool DString::equals(const DStringPtr& other)
{
    return other && compareTo(other) == 0;
}

bool DString::equals(const char16_t* literal) const
{
    return literal && terminatedView(chars) == terminatedView(literal);
}

char16_t DString::charAt(int32_t index) const
{
    checkIndex(index >= 0 && index < count);
    return chars[index];
}

DStringPtr DString::substring(int32_t begin, int32_t end)
{
    checkIndex(begin >= 0 && end <= count && begin <= end);
    return new DString(chars + begin, end - begin);
}

DStringPtr DString::substring(int32_t begin)
{
    return substring(begin, count);
}

int32_t DString::indexOf(char16_t unit) const
{
    return indexOf(unit, 0);
}

int32_t DString::indexOf(char16_t unit, int32_t from) const
{
    for (int32_t i = std::max(from, 0); i < count; ++i)
        if (chars[i] == unit)
            return i;
    return -1;
}

int32_t DString::lastIndexOf(char16_t unit) const
{
    for (int32_t i = count - 1; i >= 0; --i)
        if (chars[i] == unit)
            return i;
    return -1;
}

int32_t DString::indexOf(const DStringPtr& target, int32_t from) const
{
    std::u16string_view wanted = terminatedView(target->chars);
    from = std::max(from, 0);
    if (from > count)
        return -1;
    size_t at = terminatedView(chars + from).find(wanted);
    return at == std::u16string_view::npos ? -1 : from + static_cast<int32_t>(at);
}

bool DString::startsWith(const DStringPtr& prefix) const
{
    int32_t n = prefix->count;
    return n <= count && view().substr(0, n) == prefix->view();
}

bool DString::endsWith(const DStringPtr& suffix) const
{
    int32_t n = suffix->count;
    return n <= count && view().substr(count - n) == suffix->view();
}

int32_t DString::compareTo(const DStringPtr& other) const
{
    const char16_t* a = chars;
    const char16_t* b = other->chars;
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a < *b ? -1 : *a > *b ? 1 : 0;
}

DStringPtr DString::trim()
{
    int32_t begin = 0;
    int32_t end = count;
    while (begin < end && chars[begin] <= 32)
        ++begin;
    while (end > begin && chars[end - 1] <= 32)
        --end;
    if (begin == 0 && end == count)
        return this;
    return new DString(chars + begin, end - begin);
}

DStringPtr DString::toLowerCase() const
{
    return new DString(Adopt {}, convertedUnits(chars, count, std::towlower), count);
}

DStringPtr DString::toUpperCase() const
{
    return new DString(Adopt {}, convertedUnits(chars, count, std::towupper), count);
}

DStringPtr DString::replace(char16_t oldUnit, char16_t newUnit)
{
    if (count == 0)
        return this;
    char16_t* units = copyUnits(chars, count);
    std::replace(units, units + count, oldUnit, newUnit);
    return new DString(Adopt {}, units, count);
}

DStringPtr DString::replace(const DStringPtr& target, const DStringPtr& replacement)
{
    int32_t step = target->length();
    // An empty target would match at the same place for ever: it never occurs.
    if (step == 0)
        return this;
    DStringBufferPtr result;
    int32_t p = 0;
    while (p < count) {
        int32_t match = indexOf(target, p);
        if (match < 0)
            break;
        if (!result)
            result = new DStringBuffer();
        result->append(DStringPtr(new DString(chars + p, match - p)));
        result->append(replacement);
        p = match + step;
    }
    if (!result)
        return this;
    result->append(DStringPtr(new DString(chars + p, std::max(count - p, 0))));
    return result->toString();
}

DbyteArrayPtr DString::getBytes() const
{
    DbyteArrayPtr bytes = new DbyteArray(count);
    int8_t* out = bytes->data();
    for (int32_t i = 0; i < count; ++i)
        out[i] = static_cast<int8_t>(chars[i] > 255 ? '?' : chars[i]);
    return bytes;
}

DStringPtr DString::join(std::u16string_view left, std::u16string_view right)
{
    int32_t length = static_cast<int32_t>(left.size() + right.size());
    char16_t* units = new char16_t[length + 1];
    std::copy(left.begin(), left.end(), units);
    std::copy(right.begin(), right.end(), units + left.size());
    units[length] = 0;
    return new DString(Adopt {}, units, length);
}

static std::u16string_view textOf(const DStringPtr& s)
{
    return s ? s->view() : std::u16string_view(NULL_TEXT);
}

static std::u16string_view textOf(const char16_t* literal)
{
    return terminatedView(literal ? literal : NULL_TEXT);
}

DStringPtr operator+(const DStringPtr& left, const DStringPtr& right)
{
    return DString::join(textOf(left), textOf(right));
}

DStringPtr operator+(const DStringPtr& left, const char16_t* right)
{
    return DString::join(textOf(left), textOf(right));
}

DStringPtr operator+(const char16_t* left, const DStringPtr& right)
{
    return DString::join(textOf(left), textOf(right));
}

DStringPtr operator+(const DStringPtr& left, int32_t number)
{
    return DString::join(textOf(left), DInteger::toString(number)->view());
}

} // namespace vela::lang
