// Checks a (offset, length) range against a byte array before any byte moves.
#pragma once

#include "lang/DArray.h"
#include "lang/DExceptionBase.h"

namespace vela::io {

// A null array throws NullPointerException; a range outside it, `outOfRange`.
inline void checkRange(const lang::DbyteArrayPtr& b, int32_t off, int32_t len,
                       uint32_t outOfRange = lang::ArrayIndexOutOfBoundsException)
{
    int32_t length = b->length();
    if (off < 0 || len < 0 || off > length || len > length - off)
        lang::throwException(outOfRange);
}

} // namespace vela::io
