// Output stream that replaces a plain file in the program's directory when it is closed.
#pragma once

#include "io/DFileOutputStream.ptr"
#include "io/DOutputStream.h"
#include "lang/DString.ptr"

#include <cstdint>
#include <string>
#include <vector>

namespace vela::io {

class DFileOutputStream : public DOutputStream {
public:
    // When the program's directory cannot be written (an installed copy), the file goes to
    // the data folder's "files" instead, where DFileInputStream looks first; a file written
    // in the program's directory removes such a copy. A file that cannot be created throws
    // IOException. The bytes replace the file atomically at close, so a crash or a full disk
    // leaves the old file whole; a stream dropped unclosed, or one whose close fails, changes
    // nothing.
    explicit DFileOutputStream(const lang::DStringPtr& name);
    ~DFileOutputStream() override;

    using DOutputStream::write;
    void write(lang::DbyteArrayPtr b, int32_t off, int32_t len) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;

private:
    void writeHost(const int8_t* bytes, int32_t length);

    int folderFd = -1;
    std::string fileName;
    std::string standIn; // retired once the program's own copy is written
    std::vector<std::uint8_t> pending;
};

} // namespace vela::io
