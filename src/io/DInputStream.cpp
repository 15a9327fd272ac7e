// Abstract source of bytes: the operations every input stream shares.
#include "io/DInputStream.h"

#include "lang/DArray.h"
#include "lang/DExceptionBase.h"

namespace vela::io {

using namespace lang;

int32_t DInputStream::read(int8_t* buffer, int32_t length)
{
    if (!buffer)
        throwException(NullPointerException);
    if (length < 0)
        throwException(IndexOutOfBoundsException);
    int32_t done = 0;
    while (done < length) {
        int32_t c = read();
        if (c < 0)
            break;
        buffer[done++] = int8_t(c);
    }
    return done == 0 && length > 0 ? -1 : done;
}

int32_t DInputStream::read(DbyteArrayPtr b)
{
    int32_t length = b->length();
    return read(b, 0, length);
}

} // namespace vela::io
