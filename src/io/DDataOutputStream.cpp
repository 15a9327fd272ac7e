// Writes big-endian primitives and modified UTF-8 strings to a wrapped output stream.
#include "io/DDataOutputStream.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace vela::io {

using namespace lang;

DDataOutputStream::DDataOutputStream(DOutputStreamPtr out) : out(out)
{
    if (!out)
        throwException(NullPointerException);
}

void DDataOutputStream::write(DbyteArrayPtr b, int32_t off, int32_t len)
{
    out->write(b, off, len);
}

void DDataOutputStream::write(DbyteArrayPtr b)
{
    out->write(b);
}

void DDataOutputStream::write(int32_t b)
{
    out->write(b);
}

void DDataOutputStream::flush()
{
    out->flush();
}

void DDataOutputStream::close()
{
    out->close();
}

void DDataOutputStream::writeBigEndian(uint64_t v, int n)
{
    for (int shift = 8 * (n - 1); shift >= 0; shift -= 8)
        out->write(int32_t((v >> shift) & 0xFF));
}

void DDataOutputStream::writeBoolean(bool v)
{
    writeBigEndian(v ? 1 : 0, 1);
}

void DDataOutputStream::writeByte(int32_t v)
{
    writeBigEndian(uint32_t(v), 1);
}

void DDataOutputStream::writeInt(int32_t v)
{
    writeBigEndian(uint32_t(v), 4);
}

void DDataOutputStream::writeLong(int64_t v)
{
    writeBigEndian(uint64_t(v), 8);
}

void DDataOutputStream::writeUTF(const DStringPtr& s)
{
    std::u16string_view units = s->view();
    int64_t length = 0;
    for (char16_t u : units)
        length += (u >= 1 && u <= 0x7F) ? 1 : (u <= 0x7FF ? 2 : 3);
    if (length > 65535)
        throwException(UTFDataFormatException);
    writeBigEndian(uint64_t(length), 2);
    for (char16_t u : units) {
        if (u >= 1 && u <= 0x7F) {
            out->write(u);
        } else if (u <= 0x7FF) {
            out->write(0xC0 | ((u >> 6) & 0x1F));
            out->write(0x80 | (u & 0x3F));
        } else {
            out->write(0xE0 | (u >> 12));
            out->write(0x80 | ((u >> 6) & 0x3F));
            out->write(0x80 | (u & 0x3F));
        }
    }
}

} // namespace vela::io
