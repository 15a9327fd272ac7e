// Abstract sink of bytes: the operations every output stream shares.
#include "io/DOutputStream.h"

#include "lang/DArray.h"

namespace vela::io {

void DOutputStream::write(lang::DbyteArrayPtr b)
{
    int32_t length = b->length();
    write(b, 0, length);
}

} // namespace vela::io
