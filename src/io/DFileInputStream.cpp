// Input stream over a plain file in the program's directory.
#include "io/DFileInputStream.h"

#include "io/ArrayRange.h"
#include "io/HostPaths.h"
#include "lang/DString.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vela::io {

using namespace lang;

namespace {

int openForReading(const std::string& path)
{
    if (path.empty())
        return -1;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

DFileInputStream::DFileInputStream(const DStringPtr& name)
{
    if (!name)
        throwException(NullPointerException);
    std::string relative = name->toUtf8();
    fd = openForReading(programFileStandIn(relative));
    if (fd < 0)
        fd = openForReading(programFilePath(relative));
    if (fd < 0)
        throwException(IOException);
}

DFileInputStream::~DFileInputStream()
{
    if (fd >= 0)
        ::close(fd);
}

int32_t DFileInputStream::readHost(int8_t* buffer, int32_t length)
{
    if (fd < 0)
        throwException(IOException);
    for (;;) {
        ssize_t got = ::read(fd, buffer, size_t(length));
        if (got >= 0)
            return int32_t(got);
        if (errno != EINTR)
            throwException(IOException);
    }
}

int32_t DFileInputStream::available()
{
    if (fd < 0)
        throwException(IOException);
    off_t here = ::lseek(fd, 0, SEEK_CUR);
    off_t end = ::lseek(fd, 0, SEEK_END);
    if (here < 0 || end < 0 || ::lseek(fd, here, SEEK_SET) < 0)
        throwException(IOException);
    off_t left = end > here ? end - here : 0;
    return left > INT32_MAX ? INT32_MAX : int32_t(left);
}

int32_t DFileInputStream::read(int8_t* buffer, int32_t length)
{
    if (!buffer)
        throwException(NullPointerException);
    if (length < 0)
        throwException(IndexOutOfBoundsException);
    int32_t got = readHost(buffer, length);
    return got == 0 && length > 0 ? -1 : got;
}

int32_t DFileInputStream::read(DbyteArrayPtr b, int32_t off, int32_t len)
{
    checkRange(b, off, len, IndexOutOfBoundsException);
    return read(b->data() + off, len);
}

int32_t DFileInputStream::read()
{
    int8_t byte;
    if (readHost(&byte, 1) == 0)
        throwException(EOFException);
    return uint8_t(byte);
}

void DFileInputStream::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void DFileInputStream::reset()
{
    if (fd < 0 || ::lseek(fd, 0, SEEK_SET) < 0)
        throwException(IOException);
}

int64_t DFileInputStream::skip(int64_t n)
{
    int64_t step = n > 0 ? std::min<int64_t>(n, available()) : 0;
    if (step > 0 && ::lseek(fd, off_t(step), SEEK_CUR) < 0)
        throwException(IOException);
    return step;
}

} // namespace vela::io
