// The 7z decoder behind the resource archive: one archive file read through the LZMA SDK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vela::io {

// Largest member (and solid block) the reader will unpack; anything declaring more is refused
// before memory is committed, so a crafted header cannot exhaust the heap.
constexpr std::uint64_t MAX_UNPACKED_SIZE = std::uint64_t(256) << 20;

class SevenZipArchive {
public:
    SevenZipArchive();
    ~SevenZipArchive();
    SevenZipArchive(const SevenZipArchive&) = delete;
    SevenZipArchive& operator=(const SevenZipArchive&) = delete;

    // Opens the archive at a host path, closing any archive open before. On failure the
    // archive stays closed and `error` says why.
    bool open(const std::string& path, std::string& error);
    void close();
    bool isOpen() const;

    std::uint32_t memberCount() const;
    bool isDirectory(std::uint32_t index) const;
    std::uint64_t memberSize(std::uint32_t index) const;
    // The stored name, each 16-bit unit cut to its low byte.
    std::string name8(std::uint32_t index) const;
    // The stored name as UTF-8, for showing to people.
    std::string nameUtf8(std::uint32_t index) const;

    // Decodes one member anew (no block cache) into `out`.
    bool extract(std::uint32_t index, std::vector<std::uint8_t>& out, std::string& error);

private:
    std::vector<std::uint16_t> name16(std::uint32_t index) const;

    struct State;
    std::unique_ptr<State> current;
};

} // namespace vela::io
