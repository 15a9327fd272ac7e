// Reads big-endian primitives and modified UTF-8 strings from a wrapped input stream.
#include "io/DDataInputStream.h"

#include "lang/DArray.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

#include <string>

namespace vela::io {

using namespace lang;

DDataInputStream::DDataInputStream(DInputStreamPtr in) : in(in)
{
    if (!in)
        throwException(NullPointerException);
}

int32_t DDataInputStream::available()
{
    return in->available();
}

int32_t DDataInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len)
{
    return in->read(b, off, len);
}

int32_t DDataInputStream::read(DbyteArrayPtr b)
{
    return in->read(b);
}

int32_t DDataInputStream::read()
{
    return in->read();
}

void DDataInputStream::close() { }

void DDataInputStream::reset() { }

int64_t DDataInputStream::skip(int64_t n)
{
    return in->skip(n);
}

uint64_t DDataInputStream::readBigEndian(int n)
{
    uint64_t value = 0;
    bool ended = false;
    for (int i = 0; i < n; ++i) {
        int32_t c = in->read();
        ended |= c < 0;
        value = (value << 8) | uint8_t(c);
    }
    if (ended)
        throwException(EOFException);
    return value;
}

bool DDataInputStream::readBoolean()
{
    return readBigEndian(1) != 0;
}

int8_t DDataInputStream::readByte()
{
    return int8_t(readBigEndian(1));
}

int16_t DDataInputStream::readShort()
{
    return int16_t(readBigEndian(2));
}

int32_t DDataInputStream::readUnsignedShort()
{
    return int32_t(readBigEndian(2));
}

int32_t DDataInputStream::readChar()
{
    return readUnsignedShort();
}

int32_t DDataInputStream::readInt()
{
    return int32_t(uint32_t(readBigEndian(4)));
}

int64_t DDataInputStream::readLong()
{
    return int64_t(readBigEndian(8));
}

void DDataInputStream::readFully(DbyteArrayPtr b)
{
    int32_t length = b->length();
    for (int32_t off = 0; off < length;) {
        int32_t got = in->read(b, off, length - off);
        if (got <= 0) // no progress would loop forever
            throwException(EOFException);
        off += got;
    }
}

namespace {

bool isContinuation(int8_t byte)
{
    return (uint8_t(byte) & 0xC0) == 0x80;
}

} // namespace

DStringPtr DDataInputStream::readUTF()
{
    int32_t n = readUnsignedShort();
    DbyteArrayPtr bytes = new DbyteArray(n);
    readFully(bytes);
    const int8_t* b = bytes->data();
    std::u16string units;
    units.reserve(size_t(n));
    for (int32_t i = 0; i < n;) {
        uint8_t lead = uint8_t(b[i]);
        switch (lead >> 4) {
        case 0x0: case 0x1: case 0x2: case 0x3: case 0x4: case 0x5: case 0x6: case 0x7:
            units += char16_t(lead);
            i += 1;
            break;
        case 0xC: case 0xD:
            if (i + 2 > n || !isContinuation(b[i + 1]))
                throwException(UTFDataFormatException);
            units += char16_t(((lead & 0x1F) << 6) | (b[i + 1] & 0x3F));
            i += 2;
            break;
        case 0xE:
            if (i + 3 > n || !isContinuation(b[i + 1]) || !isContinuation(b[i + 2]))
                throwException(UTFDataFormatException);
            units += char16_t(((lead & 0x0F) << 12) | ((b[i + 1] & 0x3F) << 6) | (b[i + 2] & 0x3F));
            i += 3;
            break;
        default:
            throwException(UTFDataFormatException);
        }
    }
    return new DString(units.data(), int32_t(units.size()));
}

} // namespace vela::io
