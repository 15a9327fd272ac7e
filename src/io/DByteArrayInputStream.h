// Input stream over a byte array held in memory.
#pragma once

#include "io/DByteArrayInputStream.ptr"
#include "io/DInputStream.h"

namespace vela::io {

class DByteArrayInputStream : public DInputStream {
public:
    explicit DByteArrayInputStream(lang::DbyteArrayPtr data);

    int32_t available() override;
    using DInputStream::read;
    int32_t read(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    int32_t read() override;
    void close() override;
    void reset() override;
    int64_t skip(int64_t n) override;

protected:
    DByteArrayInputStream() = default;
    // Takes the data as the stream's whole content, from position 0.
    void setData(lang::DbyteArrayPtr bytes);

private:
    lang::DbyteArrayPtr data;
    int32_t count = 0;
    int32_t position = 0;
};

} // namespace vela::io
