// Fuzz targets of the runtime's own formats: the resource archive and the data streams.
#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"

#include <cstring>

namespace fuzz {

using namespace vela;

void archiveInput(const uint8_t* data, size_t size)
{
    writeProgramFile("fuzz.7z", data, size);
    expectCleanFailure([&] {
        io::openArchiveAt(scratchFolder() + "/fuzz.7z");
        for (const std::string& name : io::archiveMemberNames())
            expectCleanFailure([&] {
                io::D7zipInputStreamPtr in =
                    new io::D7zipInputStream(lang::DString::fromUtf8(name));
                while (in->read() >= 0) { }
            });
    });
    io::closeArchive();
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
