// Abstract source of bytes: the read, skip and reset operations every input stream offers.
#pragma once

#include <cstdint>

#include "io/DInputStream.ptr"
#include "lang/DObject.h"
#include "lang/DArray.h"

namespace vela::io {

class DInputStream : public lang::DObject {
public:
    virtual int32_t available() = 0;
    // Reads byte by byte with read() until `length` bytes or the end; -1 when the end came
    // before the first byte.
    virtual int32_t read(int8_t* buffer, int32_t length);
    virtual int32_t read(lang::DbyteArrayPtr b, int32_t off, int32_t len) = 0;
    virtual int32_t read(lang::DbyteArrayPtr b);
    // The next byte as 0 ... 255, or -1 at the end.
    virtual int32_t read() = 0;
    virtual void close() = 0;
    virtual void reset() = 0;
    virtual int64_t skip(int64_t n) = 0;
};

} // namespace vela::io
