// Output stream that collects the written bytes in a growing array in memory.
#pragma once

#include "io/DByteArrayOutputStream.ptr"
#include "io/DOutputStream.h"

namespace vela::io {

class DByteArrayOutputStream : public DOutputStream {
public:
    static constexpr int32_t GROWTH = 64;

    DByteArrayOutputStream();

    using DOutputStream::write;
    void write(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;
    // Empties the stream and keeps the buffer.
    virtual void reset();

    // A copy of exactly the bytes written.
    lang::DbyteArrayPtr toByteArray();
    // The content read back as one length-prefixed modified UTF-8 record.
    lang::DStringPtr toString() override;
    int32_t size() const { return count; }
    int32_t capacity() const;

private:
    void grow(int32_t newLength);

    lang::DbyteArrayPtr buffer;
    int32_t count = 0;
};

} // namespace vela::io
