// Immutable UTF-16 text, its concatenation operators and the typed array of strings.
#pragma once

#include <string>
#include <string_view>

#include "lang/DArray.h"
#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "lang/DStringArray.ptr"

namespace vela::lang {

class DString : public DObject {
public:
    DString();
    // Copies up to the terminator; a null pointer gives the empty string.
    DString(const char16_t* text);
    DString(const char16_t* text, int32_t length);
    // Each byte becomes one unit, widened as a signed 8-bit value.
    DString(const char* text);
    DString(const DStringPtr& other);
    ~DString() override;

    // Host text (file names, command line, fonts) is UTF-8 outside the runtime.
    static DStringPtr fromUtf8(std::string_view text);
    std::string toUtf8() const;
    std::u16string_view view() const { return { chars, static_cast<size_t>(count) }; }
    // Terminated characters; valid as long as the string lives.
    const char16_t* getChars() const { return chars; }

    DStringPtr toString() override;
    int32_t hashCode() override;
    // Compares with the other object's text; an empty reference is never equal.
    bool equals(DObjectPtr other) override;
    bool equals(const DStringPtr& other);
    bool equals(const char16_t* literal) const;

    int32_t length() const { return count; }
    char16_t charAt(int32_t index) const;
    DStringPtr substring(int32_t begin, int32_t end);
    DStringPtr substring(int32_t begin);
    int32_t indexOf(char16_t unit) const;
    int32_t indexOf(char16_t unit, int32_t from) const;
    int32_t lastIndexOf(char16_t unit) const;
    int32_t indexOf(const DStringPtr& target, int32_t from = 0) const;
    bool startsWith(const DStringPtr& prefix) const;
    bool endsWith(const DStringPtr& suffix) const;
    // -1, 0 or 1, never the distance between the units.
    int32_t compareTo(const DStringPtr& other) const;
    DStringPtr trim();
    DStringPtr toLowerCase() const;
    DStringPtr toUpperCase() const;
    DStringPtr replace(char16_t oldUnit, char16_t newUnit);
    DStringPtr replace(const DStringPtr& target, const DStringPtr& replacement);
    // Latin-1 bytes without terminator; units above 255 become '?'.
    DbyteArrayPtr getBytes() const;

    static DStringPtr join(std::u16string_view left, std::u16string_view right);

private:
    struct Adopt { };
    // Takes ownership of `units` (length + 1 units, terminated).
    DString(Adopt, char16_t* units, int32_t length);

    int32_t count;
    char16_t* chars;
    int32_t hash = 0;
};

// Concatenation; a null string or literal on either side reads "null".
DStringPtr operator+(const DStringPtr& left, const DStringPtr& right);
DStringPtr operator+(const DStringPtr& left, const char16_t* right);
DStringPtr operator+(const char16_t* left, const DStringPtr& right);
DStringPtr operator+(const DStringPtr& left, int32_t number);

class DStringArray : public DObjectArrayOf<DString> {
public:
    using DObjectArrayOf<DString>::DObjectArrayOf;
};

} // namespace vela::lang
