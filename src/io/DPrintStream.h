// Output stream that forwards to a wrapped stream, or discards everything without one.
#pragma once

#include "io/DOutputStream.h"
#include "io/DPrintStream.ptr"

namespace vela::io {

class DPrintStream : public DOutputStream {
public:
    explicit DPrintStream(DOutputStreamPtr out = nullptr);

    void write(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    void write(lang::DbyteArrayPtr b) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;

private:
    DOutputStreamPtr out;
};

} // namespace vela::io
