// Abstract sink of bytes: the write, flush and close operations every output stream offers.
#pragma once

#include <cstdint>

#include "io/DOutputStream.ptr"
#include "lang/DObject.h"
#include "lang/DArray.h"

namespace vela::io {

class DOutputStream : public lang::DObject {
public:
    virtual void write(lang::DbyteArrayPtr b, int32_t off, int32_t len) = 0;
    virtual void write(lang::DbyteArrayPtr b);
    // Writes the low 8 bits.
    virtual void write(int32_t b) = 0;
    virtual void flush() = 0;
    virtual void close() = 0;
};

} // namespace vela::io
