// Entry points shared by the libFuzzer drivers and the replay of their saved crashers.
#include "FuzzTargets.h"

#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace fuzz {

using namespace vela;

namespace {

// Only the runtime's own failures are acceptable; anything else escapes and is a finding.
template <class Body>
void expectCleanFailure(Body&& body)
{
    try {
        body();
    } catch (lang::DExceptionBase* e) {
        if (!e || !lang::DExceptionBase::isKind(e, lang::Exception))
            std::abort();
        delete e;
    }
}

std::string scratchFile()
{
    static const std::string path = "/tmp/tintrow-fuzz-" + std::to_string(::getpid()) + ".7z";
    return path;
}

} // namespace

void archiveInput(const uint8_t* data, size_t size)
{
    const std::string path = scratchFile();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    expectCleanFailure([&] {
        io::openArchiveAt(path);
        for (const std::string& name : io::archiveMemberNames())
            expectCleanFailure([&] {
                io::D7zipInputStreamPtr in = new io::D7zipInputStream(lang::DString::fromUtf8(name));
                while (in->read() >= 0) { }
            });
    });
    io::closeArchive();
    std::remove(path.c_str());
}

void dataStreamInput(const uint8_t* data, size_t size)
{
    lang::DbyteArrayPtr bytes = new lang::DbyteArray(int32_t(size));
    if (size)
        std::memcpy(bytes->data(), data, size);
    io::DDataInputStreamPtr in = new io::DDataInputStream(new io::DByteArrayInputStream(bytes));
    // The first byte picks the read, so the fuzzer explores every decoder path.
    expectCleanFailure([&] {
        while (in->available() > 0) {
            switch (in->read() % 4) {
            case 0: in->readUTF(); break;
            case 1: in->readInt(); break;
            case 2: in->readLong(); break;
            default: in->readFully(new lang::DbyteArray(in->readUnsignedShort() % 64)); break;
            }
        }
    });
}

} // namespace fuzz
