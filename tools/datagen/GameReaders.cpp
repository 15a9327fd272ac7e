// The generator's output read back by the game's own readers.
#include "GameReaders.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "sound/hssOfflineRenderer.h"
#include "sound/hssSound.h"
#include "sound/hssStatus.h"

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

std::string waveFault(const Bytes& wav)
{
    hssSound sound;
    int status = sound.load(wav.data(), wav.size());
    if (status != HSS_OK)
        return "the game's wave loader refuses it (status " + std::to_string(status) + ")";
    return sound.length() > 0 ? "" : "no samples";
}

double moduleSeconds(const Bytes& mod)
{
    // Frames at this rate time the pass exactly; the sound itself is not looked at.
    hssRenderSettings settings;
    settings.frequency = 8000;
    settings.bits = 8;
    settings.stereo = false;
    std::vector<uint8_t> pcm;
    int status = hssRenderOffline(mod.data(), mod.size(), true, settings, pcm);
    if (status != HSS_OK)
        throw std::runtime_error("the game's module loader refuses it (status " + std::to_string(status) + ")");
    return double(pcm.size()) / settings.frequency;
}

}  // namespace datagen
