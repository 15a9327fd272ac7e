// Output stream that replaces a plain file in the program's directory when it is closed.
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

DFileOutputStream::DFileOutputStream(const DStringPtr& name)
{
    if (!name)
        throwException(NullPointerException);
    std::string relative = name->toUtf8();
    std::string path = programFilePath(relative);
    std::string dataCopy = programFileStandIn(relative);
    // An installed copy's data folder is shared by every user: each keeps their own files.
    bool inProgramDirectory = !lang::host::programIsInstalled() && isWritableFolder(programDirectory());
    if (inProgramDirectory) {
        standIn = dataCopy;
    } else {
        path = dataCopy;
        if (path.empty() || !makeFolders(path.substr(0, path.rfind('/'))))
            throwException(IOException);
    }
    std::size_t slash = path.rfind('/');
    fileName = path.substr(slash + 1);
    folderFd = ::open(path.substr(0, slash).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0 || fileName.empty() || fileName == "." || fileName == "..")
        throwException(IOException);
}

DFileOutputStream::~DFileOutputStream()
{
    if (folderFd >= 0)
        ::close(folderFd);
}

void DFileOutputStream::writeHost(const int8_t* bytes, int32_t length)
{
    if (folderFd < 0)
        throwException(IOException);
    pending.insert(pending.end(), bytes, bytes + length);
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

// The bytes reach the disk at close, all at once.
void DFileOutputStream::flush()
{
    if (folderFd < 0)
        throwException(IOException);
}

void DFileOutputStream::close()
{
    if (folderFd < 0)
        return;
    int error = writeFileAtomically(folderFd, fileName, pending.data(), pending.size(), true);
    ::close(folderFd);
    folderFd = -1;
    pending.clear();
    // Reads look at the stand-in first; one left from an earlier run would hide this file.
    if (error == 0 && !standIn.empty() && ::unlink(standIn.c_str()) != 0 && errno != ENOENT &&
        errno != ENOTDIR)
        error = errno;
    if (error != 0)
        throwException(IOException);
}

} // namespace vela::io
