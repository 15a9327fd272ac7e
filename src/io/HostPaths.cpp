// Where the program's files and the persistent data live on the host, and atomic file writes.
#include "io/HostPaths.h"

#include "lang/DString.h"
#include "lang/DSystem.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vela::io {

namespace {

AppNameSource gAppNameSource = nullptr;

std::string envOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += put;
        size -= std::size_t(put);
    }
    return true;
}

// Unique within the host: process id plus a per-process counter.
std::string temporaryName(const std::string& name)
{
    static std::atomic<unsigned> counter{0};
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u", long(::getpid()), counter++);
    return TEMPORARY_PREFIX + name + suffix;
}

int commit(int folderFd, const std::string& temporary, const std::string& name, bool replace)
{
    int rc = replace ? ::renameat(folderFd, temporary.c_str(), folderFd, name.c_str())
                     : ::renameat2(folderFd, temporary.c_str(), folderFd, name.c_str(),
                                   RENAME_NOREPLACE);
    return rc == 0 ? 0 : errno;
}

} // namespace

void setAppNameSource(AppNameSource source)
{
    gAppNameSource = source;
}

std::string appName()
{
    return gAppNameSource ? gAppNameSource() : std::string();
}

std::string programDirectory()
{
    lang::DStringPtr path = lang::DSystem::getProperty(u"app.fullpath");
    return path ? toHostSeparators(path->toUtf8()) : std::string(".");
}

std::string dataBase()
{
    return envOr("TINTROW_HOME", envOr("XDG_DATA_HOME", envOr("HOME", ".") + "/.local/share"));
}

std::string appDataFolder()
{
    std::string app = appName();
    if (app.empty())
        return std::string();
    return dataBase() + "/Vandrel/" + app;
}

std::string toHostSeparators(std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    std::size_t start = name.find_first_not_of('/');
    std::string rest = start == std::string::npos ? std::string() : name.substr(start);
    if (!folder.empty() && folder.back() == '/')
        return folder + rest;
    return folder + "/" + rest;
}

std::string programFilePath(const std::string& name)
{
    return joinPath(programDirectory(), toHostSeparators(name));
}

std::string programFileStandIn(const std::string& name)
{
    std::string folder = appDataFolder();
    return folder.empty() ? folder : joinPath(folder + "/files", toHostSeparators(name));
}

bool makeFolders(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash)))
        return false;
    return ::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool isWritableFolder(const std::string& path)
{
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

int writeFileAtomically(int folderFd, const std::string& name, const std::uint8_t* data,
                        std::size_t size, bool replace)
{
    std::string temporary = temporaryName(name);
    int fd = ::openat(folderFd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    int error = 0;
    if (!writeAll(fd, data, size) || ::fsync(fd) != 0)
        error = errno ? errno : EIO;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        error = commit(folderFd, temporary, name, replace);
    if (error != 0) {
        ::unlinkat(folderFd, temporary.c_str(), 0);
        return error;
    }
    return ::fsync(folderFd) == 0 ? 0 : errno;
}

bool readWholeFile(int fd, std::vector<std::uint8_t>& out)
{
    out.clear();
    std::uint8_t chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        out.insert(out.end(), chunk, chunk + got);
    }
}

} // namespace vela::io
