// Whole files, byte patterns and the runtime's byte arrays, as tests build and compare them.
#pragma once

#include "lang/DArray.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace support {

using Bytes = std::vector<uint8_t>;

// Writes the bytes, making the folders on the way.
template <class Container>
void writeFile(const std::string& path, const Container& bytes)
{
    std::filesystem::path file(path);
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

inline Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string readText(const std::string& path)
{
    Bytes bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// Deterministic bytes that differ from seed to seed.
inline Bytes patternBytes(size_t size, uint32_t seed)
{
    Bytes data(size);
    uint32_t x = seed * 2654435761u + 1;
    for (uint8_t& b : data) {
        x = x * 1103515245u + 12345u;
        b = uint8_t(x >> 16);
    }
    return data;
}

template <class Container>
vela::lang::DbyteArrayPtr toArray(const Container& bytes)
{
    vela::lang::DbyteArrayPtr array = new vela::lang::DbyteArray(int32_t(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i)
        (*array)[int32_t(i)] = int8_t(bytes[i]);
    return array;
}

inline vela::lang::DbyteArrayPtr toArray(std::initializer_list<uint8_t> bytes)
{
    return toArray(Bytes(bytes));
}

inline Bytes bytesOf(const vela::lang::DbyteArrayPtr& array)
{
    Bytes bytes;
    for (int32_t i = 0; array && i < array->length(); ++i)
        bytes.push_back(uint8_t((*array)[i]));
    return bytes;
}

} // namespace support
