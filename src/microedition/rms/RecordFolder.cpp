// The host side of record stores: one folder per store, one file per record named by its id.
#include "microedition/rms/RecordFolder.h"

#include "io/HostPaths.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vela::microedition::rms {

namespace {

bool isSafePart(const std::string& part)
{
    return !part.empty() && part != "." && part != ".." && part.find('\0') == std::string::npos &&
           part.compare(0, sizeof io::TEMPORARY_PREFIX - 1, io::TEMPORARY_PREFIX) != 0;
}

int removeTree(int parentFd, const char* name)
{
    int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOTDIR || errno == ELOOP
                   ? (::unlinkat(parentFd, name, 0) == 0 ? 0 : errno)
                   : errno;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return errno;
    }
    int error = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::string child = entry->d_name;
        if (child == "." || child == "..")
            continue;
        int rc = removeTree(::dirfd(dir), child.c_str());
        if (rc != 0 && error == 0)
            error = rc;
    }
    ::closedir(dir);
    if (error == 0 && ::unlinkat(parentFd, name, AT_REMOVEDIR) != 0)
        error = errno;
    return error;
}

} // namespace

std::string storeFolderPath(const std::string& storeName)
{
    std::string folder = io::appDataFolder();
    if (folder.empty())
        return std::string();
    std::size_t start = 0;
    for (;;) {
        std::size_t end = storeName.find_first_of("\\/", start);
        std::string part = storeName.substr(start, end == std::string::npos ? end : end - start);
        if (!isSafePart(part))
            return std::string();
        folder += "/" + part;
        if (end == std::string::npos)
            return folder;
        start = end + 1;
    }
}

int openStoreFolder(const std::string& path, bool create)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && create) {
        if (!io::makeFolders(path))
            return -(errno ? errno : EIO);
        fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    return fd >= 0 ? fd : -errno;
}

int deleteStoreFolder(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode))
        return ENOTDIR;
    // Move the store aside first so that no reader ever sees it half deleted.
    std::size_t slash = path.rfind('/');
    std::string parent = path.substr(0, slash);
    static unsigned deletions = 0;
    std::string doomed = parent + "/" + io::TEMPORARY_PREFIX + "deleted-" + path.substr(slash + 1) +
                         "." + std::to_string(::getpid()) + "." + std::to_string(deletions++);
    if (::rename(path.c_str(), doomed.c_str()) != 0)
        return errno;
    return removeTree(AT_FDCWD, doomed.c_str());
}

bool parseRecordName(const char* name, std::int32_t& id)
{
    if (*name < '1' || *name > '9')
        return false;
    long long value = 0;
    for (const char* p = name; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        value = value * 10 + (*p - '0');
        if (value > INT_MAX)
            return false;
    }
    id = std::int32_t(value);
    return true;
}

std::string recordName(std::int32_t id)
{
    return std::to_string(id);
}

bool listRecordIds(int folderFd, std::vector<std::int32_t>& ids)
{
    ids.clear();
    int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    errno = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::int32_t id;
        if (parseRecordName(entry->d_name, id) && entry->d_type != DT_DIR)
            ids.push_back(id);
    }
    bool ok = errno == 0;
    ::closedir(dir);
    return ok;
}

std::int64_t recordSize(int folderFd, std::int32_t id)
{
    struct stat st;
    if (::fstatat(folderFd, recordName(id).c_str(), &st, 0) != 0)
        return -errno;
    if (!S_ISREG(st.st_mode))
        return -ENOENT;
    return st.st_size;
}

int readRecord(int folderFd, std::int32_t id, std::vector<std::uint8_t>& out)
{
    int fd = ::openat(folderFd, recordName(id).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    bool ok = io::readWholeFile(fd, out);
    int error = ok ? 0 : errno;
    ::close(fd);
    return error;
}

int writeRecord(int folderFd, std::int32_t id, const std::uint8_t* data, std::size_t size,
                bool replace)
{
    return io::writeFileAtomically(folderFd, recordName(id), data, size, replace);
}

} // namespace vela::microedition::rms
