// Writes big-endian primitives and modified UTF-8 strings to a wrapped output stream.
#pragma once

#include "io/DDataOutputStream.ptr"
#include "io/DOutputStream.h"
#include "lang/DString.ptr"

namespace vela::io {

class DDataOutputStream : public DOutputStream {
public:
    // A null stream throws NullPointerException.
    explicit DDataOutputStream(DOutputStreamPtr out);

    void write(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    void write(lang::DbyteArrayPtr b) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;

    void writeBoolean(bool v);
    void writeByte(int32_t v);
    void writeInt(int32_t v);
    void writeLong(int64_t v);
    // Throws UTFDataFormatException when the encoding would exceed 65535 bytes.
    void writeUTF(const lang::DStringPtr& s);

private:
    void writeBigEndian(uint64_t v, int n);

    DOutputStreamPtr out;
};

} // namespace vela::io
