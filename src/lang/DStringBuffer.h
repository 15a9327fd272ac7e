// Growable UTF-16 text builder; its content is always terminated.
#pragma once

#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "lang/DStringBuffer.ptr"

namespace vela::lang {

class DStringBuffer : public DObject {
public:
    static constexpr int32_t INITIAL_CAPACITY = 16;

    DStringBuffer();
    ~DStringBuffer() override;

    // Each append returns the buffer itself; an empty string reference appends "null".
    DStringBufferPtr append(const DStringPtr& text);
    DStringBufferPtr append(const char16_t* literal);
    DStringBufferPtr append(char16_t unit);
    void setLength(int32_t length);
    void setCharAt(int32_t index, char16_t unit);
    char16_t charAt(int32_t index) const;
    DStringPtr toString() override;
    int32_t length() const { return count; }
    int32_t capacity() const { return allocated; }
    const char16_t* getChars() const { return chars; }

private:
    void appendUnits(const char16_t* units, int32_t length);
    void ensureCapacity(int64_t required);

    int32_t count = 0;
    int32_t allocated;
    char16_t* chars;
};

} // namespace vela::lang
