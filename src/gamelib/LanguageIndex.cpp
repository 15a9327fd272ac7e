// The stored language choice: one big-endian int32 in the plain file "/langid".
#include "gamelib/StringManager.h"

#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "io/DFileInputStream.h"
#include "io/DFileOutputStream.h"
#include "lang/DExceptionBase.h"

using namespace vela::lang;
using namespace vela::io;

namespace gamelib {

namespace {
const char16_t FILE_NAME[] = u"/langid";
}

int32_t StringManager::readLanguageIndex()
{
    int32_t index = -1;
    catchKind(IOException, [&index] {
        DInputStreamPtr file = new DFileInputStream(new DString(FILE_NAME));
        DDataInputStreamPtr in = new DDataInputStream(file);
        try {
            index = in->readInt();
        } catch (DExceptionBase*) {
            file->close();
            throw;
        }
        file->close();
    });
    return index;
}

bool StringManager::writeLanguageIndex(int32_t index)
{
    return !catchKind(IOException, [index] {
        DOutputStreamPtr file = new DFileOutputStream(new DString(FILE_NAME));
        DDataOutputStreamPtr out = new DDataOutputStream(file);
        try {
            out->writeInt(index);
            out->flush();
        } catch (DExceptionBase*) {
            file->close();
            throw;
        }
        file->close();
    });
}

} // namespace gamelib
