// The generator's output read back by the game's own readers.
#include "GameReaders.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

#include <cstring>
#include <stdexcept>

namespace datagen {

namespace {

// Runs a reader of the game; its runtime exception becomes a std::runtime_error naming it.
template <class Read>
auto asTheGameReads(const char* what, Read read) -> decltype(read())
{
    try {
        return read();
    } catch (vela::lang::DExceptionBase* e) {
        std::string reason = "out of memory";
        if (e) {
            reason = vela::lang::DString(vela::lang::DExceptionBase::nameOf(e->code)).toUtf8();
            std::string message = vela::lang::DString(e->message).toUtf8();
            if (!message.empty())
                reason += " (" + message + ")";
            delete e;
        }
        throw std::runtime_error(std::string("the game cannot read the ") + what + ": " + reason);
    }
}

}  // namespace

vela::lang::DbyteArrayPtr toByteArray(const Bytes& bytes)
{
    vela::lang::DbyteArrayPtr array = new vela::lang::DbyteArray(int32_t(bytes.size()));
    if (!bytes.empty())
        std::memcpy(array->data(), bytes.data(), bytes.size());
    return array;
}

tintrow::LevelFile readLevel(const Bytes& bytes)
{
    return asTheGameReads("level", [&] { return tintrow::LevelFile::parse(toByteArray(bytes)); });
}

}  // namespace datagen
