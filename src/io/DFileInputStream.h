// Input stream over a plain file in the program's directory.
#pragma once

#include "io/DFileInputStream.ptr"
#include "io/DInputStream.h"
#include "lang/DString.ptr"

namespace vela::io {

class DFileInputStream : public DInputStream {
public:
    // The name is relative to the program's directory ("/" or "\" separated); a copy kept in
    // the data folder's "files" (where an installed program writes) is read first. A null
    // name throws NullPointerException; a file that does not open, IOException.
    explicit DFileInputStream(const lang::DStringPtr& name);
    ~DFileInputStream() override;

    int32_t available() override;
    using DInputStream::read;
    int32_t read(int8_t* buffer, int32_t length) override;
    int32_t read(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    // Unlike the in-memory streams, the end of the file throws EOFException.
    int32_t read() override;
    void close() override;
    void reset() override;
    int64_t skip(int64_t n) override;

private:
    // Bytes read, 0 at the end; a host failure throws IOException.
    int32_t readHost(int8_t* buffer, int32_t length);

    int fd = -1;
};

} // namespace vela::io
