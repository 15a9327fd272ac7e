// Big-endian byte building in the data-stream encoding the game reads, and UTF-8 helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

using Bytes = std::vector<uint8_t>;

class ByteWriter {
public:
    void u8(int v) { out.push_back(uint8_t(v)); }
    void u16(int v);
    void u32(int64_t v);
    void bytes(const Bytes& b) { out.insert(out.end(), b.begin(), b.end()); }
    void text(const std::string& ascii) { out.insert(out.end(), ascii.begin(), ascii.end()); }
    // A 2-byte length and the UTF-8 text in the stream's modified form; throws when over 65535 bytes.
    void utf(const std::string& utf8);

    size_t size() const { return out.size(); }
    const Bytes& data() const { return out; }
    Bytes& data() { return out; }

private:
    Bytes out;
};

// Code points of a UTF-8 text; throws std::runtime_error on malformed input.
std::u32string decodeUtf8(const std::string& utf8);
std::string encodeUtf8(char32_t c);
// The modified UTF-8 bytes of a text (NUL as two bytes, characters beyond 16 bits as surrogates).
Bytes modifiedUtf8(const std::string& utf8);

}  // namespace datagen
