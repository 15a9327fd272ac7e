// Reads big-endian primitives and modified UTF-8 strings from a wrapped input stream.
#pragma once

#include "io/DDataInputStream.ptr"
#include "io/DInputStream.h"
#include "lang/DString.ptr"

namespace vela::io {

class DDataInputStream : public DInputStream {
public:
    // A null stream throws NullPointerException.
    explicit DDataInputStream(DInputStreamPtr in);

    int32_t available() override;
    using DInputStream::read;
    int32_t read(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    int32_t read(lang::DbyteArrayPtr b) override;
    int32_t read() override;
    // The wrapped stream belongs to the caller; closing or resetting the filter keeps it.
    void close() override;
    void reset() override;
    int64_t skip(int64_t n) override;

    // Each throws EOFException when the data ends early.
    bool readBoolean();
    int8_t readByte();
    int16_t readShort();
    int32_t readUnsignedShort();
    int32_t readChar();
    int32_t readInt();
    int64_t readLong();
    void readFully(lang::DbyteArrayPtr b);
    // Throws UTFDataFormatException on malformed modified UTF-8.
    lang::DStringPtr readUTF();

private:
    // Reads `n` bytes big-endian; the end is checked once all are read.
    uint64_t readBigEndian(int n);

    DInputStreamPtr in;
};

} // namespace vela::io
