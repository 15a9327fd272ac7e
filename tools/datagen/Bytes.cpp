// Big-endian writer and the UTF-8 conversions of the data files.
#include "Bytes.h"

#include <stdexcept>

namespace datagen {

void ByteWriter::u16(int v)
{
    u8(v >> 8), u8(v);
}

void ByteWriter::u32(int64_t v)
{
    u8(int(v >> 24)), u8(int(v >> 16)), u8(int(v >> 8)), u8(int(v));
}

void ByteWriter::utf(const std::string& utf8)
{
    Bytes b = modifiedUtf8(utf8);
    if (b.size() > 65535)
        throw std::runtime_error("text longer than 65535 bytes: " + utf8.substr(0, 40));
    u16(int(b.size()));
    bytes(b);
}

std::u32string decodeUtf8(const std::string& s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        uint8_t c = uint8_t(s[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size())
            throw std::runtime_error("malformed UTF-8 near: " + s.substr(i, 20));
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            uint8_t t = uint8_t(s[i + k]);
            if ((t & 0xC0) != 0x80)
                throw std::runtime_error("malformed UTF-8 near: " + s.substr(i, 20));
            cp = cp << 6 | (t & 0x3F);
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

std::string encodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12)), out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18)), out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
    }
    return out;
}

static void putUnit(Bytes& out, char16_t u)
{
    if (u != 0 && u < 0x80) {
        out.push_back(uint8_t(u));
    } else if (u < 0x800) {
        out.push_back(uint8_t(0xC0 | (u >> 6)));
        out.push_back(uint8_t(0x80 | (u & 0x3F)));
    } else {
        out.push_back(uint8_t(0xE0 | (u >> 12)));
        out.push_back(uint8_t(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(uint8_t(0x80 | (u & 0x3F)));
    }
}

Bytes modifiedUtf8(const std::string& utf8)
{
    Bytes out;
    for (char32_t c : decodeUtf8(utf8)) {
        if (c < 0x10000) {
            putUnit(out, char16_t(c));
        } else {
            c -= 0x10000;
            putUnit(out, char16_t(0xD800 + (c >> 10)));
            putUnit(out, char16_t(0xDC00 + (c & 0x3FF)));
        }
    }
    return out;
}

}  // namespace datagen
