// Output stream that forwards to a wrapped stream, or discards everything without one.
#include "io/DPrintStream.h"

namespace vela::io {

DPrintStream::DPrintStream(DOutputStreamPtr out) : out(out) { }

void DPrintStream::write(lang::DbyteArrayPtr b, int32_t off, int32_t len)
{
    if (out)
        out->write(b, off, len);
}

// Without a stream not even the array is looked at, so a null one is discarded too.
void DPrintStream::write(lang::DbyteArrayPtr b)
{
    if (out)
        out->write(b);
}

void DPrintStream::write(int32_t b)
{
    if (out)
        out->write(b);
}

void DPrintStream::flush()
{
    if (out)
        out->flush();
}

void DPrintStream::close()
{
    if (out)
        out->close();
}

} // namespace vela::io
