// Input stream over one member of the resource archive, decoded whole when opened.
#pragma once

#include <string>

#include "io/D7zipInputStream.ptr"
#include "io/DByteArrayInputStream.h"
#include "lang/DString.ptr"

namespace vela::io {

// Behaves as an in-memory stream over the member's bytes; independent of later archive
// operations.
class D7zipInputStream : public DByteArrayInputStream {
public:
    // "\" and "/" both separate folders and one leading "/" is dropped. A null name throws
    // NullPointerException; a closed archive, a missing member or a decoder failure
    // IOException.
    explicit D7zipInputStream(const lang::DStringPtr& name);

    // The 8-bit lookup form of a member name.
    static std::string memberKey(const lang::DStringPtr& name);
};

} // namespace vela::io
