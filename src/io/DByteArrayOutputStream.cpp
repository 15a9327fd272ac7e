// Output stream that collects the written bytes in a growing array in memory.
#include "io/DByteArrayOutputStream.h"

#include "io/ArrayRange.h"
#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DString.h"

#include <cstring>

namespace vela::io {

using namespace lang;

DByteArrayOutputStream::DByteArrayOutputStream() : buffer(new DbyteArray(GROWTH)) { }

int32_t DByteArrayOutputStream::capacity() const
{
    return buffer ? buffer->length() : 0;
}

// The new array is zero-filled; the written bytes move over.
void DByteArrayOutputStream::grow(int32_t newLength)
{
    DbyteArrayPtr bigger = new DbyteArray(newLength);
    if (count > 0)
        std::memcpy(bigger->data(), buffer->data(), size_t(count));
    buffer = bigger;
}

void DByteArrayOutputStream::write(int32_t b)
{
    if (count >= capacity())
        grow(capacity() + GROWTH);
    (*buffer)[count++] = int8_t(b);
}

void DByteArrayOutputStream::write(DbyteArrayPtr b, int32_t off, int32_t len)
{
    checkRange(b, off, len);
    if (capacity() - count < len) {
        if (len > INT32_MAX - GROWTH - count)
            throwException(IndexOutOfBoundsException);
        grow(count + len + GROWTH);
    }
    if (len > 0)
        std::memcpy(buffer->data() + count, b->data() + off, size_t(len));
    count += len;
}

void DByteArrayOutputStream::flush() { }

void DByteArrayOutputStream::close()
{
    buffer = nullptr;
    count = 0;
}

void DByteArrayOutputStream::reset()
{
    count = 0;
}

DbyteArrayPtr DByteArrayOutputStream::toByteArray()
{
    DbyteArrayPtr copy = new DbyteArray(count);
    if (count > 0)
        std::memcpy(copy->data(), buffer->data(), size_t(count));
    return copy;
}

DStringPtr DByteArrayOutputStream::toString()
{
    DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(toByteArray()));
    return in->readUTF();
}

} // namespace vela::io
