// Input stream over a byte array held in memory.
#include "io/DByteArrayInputStream.h"

#include "io/ArrayRange.h"

#include <algorithm>
#include <cstring>

namespace vela::io {

using namespace lang;

DByteArrayInputStream::DByteArrayInputStream(DbyteArrayPtr bytes)
{
    setData(bytes);
}

void DByteArrayInputStream::setData(DbyteArrayPtr bytes)
{
    data = bytes;
    count = data ? data->length() : 0;
    position = 0;
}

int32_t DByteArrayInputStream::available()
{
    return count - position;
}

int32_t DByteArrayInputStream::read()
{
    if (position >= count)
        return -1;
    return uint8_t((*data)[position++]);
}

int32_t DByteArrayInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len)
{
    if (len < 0)
        throwException(ArrayIndexOutOfBoundsException);
    int32_t n = std::min(len, count - position);
    checkRange(b, off, n);
    if (n == 0)
        return len > 0 ? -1 : 0;
    std::memcpy(b->data() + off, data->data() + position, size_t(n));
    position += n;
    return n;
}

void DByteArrayInputStream::close()
{
    data = nullptr;
    count = 0;
    position = 0;
}

void DByteArrayInputStream::reset()
{
    position = 0;
}

int64_t DByteArrayInputStream::skip(int64_t n)
{
    int64_t skipped = std::clamp<int64_t>(n, 0, count - position);
    position += int32_t(skipped);
    return skipped;
}

} // namespace vela::io
