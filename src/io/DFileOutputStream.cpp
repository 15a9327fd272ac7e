// Output stream that creates or empties a plain file in the program's directory.
#include "io/DFileOutputStream.h"

#include "io/ArrayRange.h"
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vela::io {

using namespace lang;

namespace {

int createForWriting(const std::string& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

} // namespace

DFileOutputStream::DFileOutputStream(const DStringPtr& name)
{
    if (!name)
        throwException(NullPointerException);
    std::string relative = name->toUtf8();
    std::string path = programFilePath(relative);
    std::string standIn = programFileStandIn(relative);
    // An installed copy's data folder is shared by every user: each keeps their own files.
    bool inProgramDirectory = !lang::host::programIsInstalled() && isWritableFolder(programDirectory());
    if (!inProgramDirectory) {
        path = standIn;
        std::size_t slash = path.rfind('/');
        if (path.empty() || !makeFolders(path.substr(0, slash)))
            throwException(IOException);
    }
    fd = createForWriting(path);
    if (fd < 0)
        throwException(IOException);
    // Reads look at the stand-in first; one left from an earlier run would hide this file.
    if (inProgramDirectory && !standIn.empty() && ::unlink(standIn.c_str()) != 0 &&
        errno != ENOENT && errno != ENOTDIR) {
        ::close(fd);
        fd = -1;
        throwException(IOException);
    }
}

DFileOutputStream::~DFileOutputStream()
{
    if (fd >= 0)
        ::close(fd);
}

void DFileOutputStream::writeHost(const int8_t* bytes, int32_t length)
{
    if (fd < 0)
        throwException(IOException);
    while (length > 0) {
        ssize_t put = ::write(fd, bytes, size_t(length));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throwException(IOException);
        }
        bytes += put;
        length -= int32_t(put);
    }
}

void DFileOutputStream::write(DbyteArrayPtr b, int32_t off, int32_t len)
{
    checkRange(b, off, len, IndexOutOfBoundsException);
    writeHost(b->data() + off, len);
}

void DFileOutputStream::write(int32_t b)
{
    int8_t byte = int8_t(b);
    writeHost(&byte, 1);
}

void DFileOutputStream::flush()
{
    if (fd < 0 || ::fsync(fd) != 0)
        throwException(IOException);
}

void DFileOutputStream::close()
{
    if (fd < 0)
        return;
    int rc = ::close(fd);
    fd = -1;
    if (rc != 0)
        throwException(IOException);
}

} // namespace vela::io
