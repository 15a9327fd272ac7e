// The 7z decoder behind the resource archive: POSIX file access and heap hooks for the LZMA SDK.
#include "io/SevenZipArchive.h"

#include "lang/DString.h"

#include "7z.h"
#include "7zCrc.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vela::io {

namespace {

// Every request the decoder makes is bounded: a forged header that asks for gigabytes gets
// SZ_ERROR_MEM instead of the memory. Slack covers the decoder's own tables beside a block.
constexpr std::size_t MAX_ALLOCATION = std::size_t(MAX_UNPACKED_SIZE + (std::uint64_t(64) << 20));

void* heapAlloc(ISzAllocPtr, std::size_t size)
{
    if (size == 0 || size > MAX_ALLOCATION)
        return nullptr;
    return std::malloc(size);
}

void heapFree(ISzAllocPtr, void* address)
{
    std::free(address);
}

const ISzAlloc HEAP = {heapAlloc, heapFree};

struct FileInStream {
    ISeekInStream vt;
    int fd;
};

const FileInStream* fileOf(ISeekInStreamPtr p)
{
    return reinterpret_cast<const FileInStream*>(p);
}

SRes fileRead(ISeekInStreamPtr p, void* buf, std::size_t* size)
{
    for (;;) {
        ssize_t got = ::read(fileOf(p)->fd, buf, *size);
        if (got >= 0) {
            *size = std::size_t(got);
            return SZ_OK;
        }
        if (errno != EINTR) {
            *size = 0;
            return SZ_ERROR_READ;
        }
    }
}

SRes fileSeek(ISeekInStreamPtr p, Int64* pos, ESzSeek origin)
{
    static const int WHENCE[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    off_t result = ::lseek(fileOf(p)->fd, off_t(*pos), WHENCE[origin]);
    if (result < 0)
        return SZ_ERROR_READ;
    *pos = Int64(result);
    return SZ_OK;
}

const char* describe(SRes res)
{
    switch (res) {
    case SZ_ERROR_DATA: return "corrupt data";
    case SZ_ERROR_MEM: return "size beyond the limit or out of memory";
    case SZ_ERROR_CRC: return "CRC mismatch";
    case SZ_ERROR_UNSUPPORTED: return "unsupported method";
    case SZ_ERROR_INPUT_EOF: return "truncated data";
    case SZ_ERROR_READ: return "read error";
    case SZ_ERROR_ARCHIVE: return "corrupt archive header";
    case SZ_ERROR_NO_ARCHIVE: return "not a 7z archive";
    default: return "decoder failure";
    }
}

constexpr std::size_t LOOK_BUFFER_SIZE = std::size_t(1) << 18;

} // namespace

struct SevenZipArchive::State {
    FileInStream file{};
    CLookToRead2 look{};
    CSzArEx db{};
    std::vector<Byte> lookBuffer;

    explicit State(int fd) : lookBuffer(LOOK_BUFFER_SIZE)
    {
        file.vt.Read = fileRead;
        file.vt.Seek = fileSeek;
        file.fd = fd;
        LookToRead2_CreateVTable(&look, False);
        look.buf = lookBuffer.data();
        look.bufSize = lookBuffer.size();
        look.realStream = &file.vt;
        LookToRead2_INIT(&look);
        SzArEx_Init(&db);
    }

    ~State()
    {
        SzArEx_Free(&db, &HEAP);
        ::close(file.fd);
    }
};

SevenZipArchive::SevenZipArchive() = default;
SevenZipArchive::~SevenZipArchive() = default;

bool SevenZipArchive::open(const std::string& path, std::string& error)
{
    close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    static const bool crcReady = (CrcGenerateTable(), true);
    (void)crcReady;
    auto state = std::make_unique<State>(fd);
    SRes res = SzArEx_Open(&state->db, &state->look.vt, &HEAP, &HEAP);
    if (res != SZ_OK) {
        error = describe(res);
        return false;
    }
    current = std::move(state);
    return true;
}

void SevenZipArchive::close()
{
    current.reset();
}

bool SevenZipArchive::isOpen() const
{
    return current != nullptr;
}

std::uint32_t SevenZipArchive::memberCount() const
{
    return current ? current->db.NumFiles : 0;
}

bool SevenZipArchive::isDirectory(std::uint32_t index) const
{
    return SzArEx_IsDir(&current->db, index);
}

std::uint64_t SevenZipArchive::memberSize(std::uint32_t index) const
{
    return SzArEx_GetFileSize(&current->db, index);
}

std::vector<std::uint16_t> SevenZipArchive::name16(std::uint32_t index) const
{
    std::vector<std::uint16_t> units(SzArEx_GetFileNameUtf16(&current->db, index, nullptr));
    if (!units.empty()) {
        SzArEx_GetFileNameUtf16(&current->db, index, units.data());
        units.pop_back(); // the terminator
    }
    return units;
}

std::string SevenZipArchive::name8(std::uint32_t index) const
{
    std::string name;
    for (std::uint16_t unit : name16(index))
        name += char(unit & 0xFF);
    return name;
}

std::string SevenZipArchive::nameUtf8(std::uint32_t index) const
{
    std::vector<std::uint16_t> units = name16(index);
    std::u16string text(units.begin(), units.end());
    return lang::DString(text.data(), std::int32_t(text.size())).toUtf8();
}

bool SevenZipArchive::extract(std::uint32_t index, std::vector<std::uint8_t>& out,
                              std::string& error)
{
    out.clear();
    const CSzArEx& db = current->db;
    if (memberSize(index) > MAX_UNPACKED_SIZE) {
        error = "member larger than the limit";
        return false;
    }
    UInt32 folder = db.FileToFolder[index];
    if (folder != UInt32(-1) && SzAr_GetFolderUnpackSize(&db.db, folder) > MAX_UNPACKED_SIZE) {
        error = "block larger than the limit";
        return false;
    }
    UInt32 blockIndex = UInt32(-1);
    Byte* block = nullptr;
    std::size_t blockSize = 0, offset = 0, size = 0;
    LookToRead2_INIT(&current->look);
    SRes res = SzArEx_Extract(&db, &current->look.vt, index, &blockIndex, &block, &blockSize,
                              &offset, &size, &HEAP, &HEAP);
    if (res == SZ_OK)
        out.assign(block + offset, block + offset + size);
    else
        error = describe(res);
    heapFree(&HEAP, block);
    return res == SZ_OK;
}

} // namespace vela::io
