// The generator's output read back by the game's own readers.
#include "GameReaders.h"

#include "gamelib/ImageManager.h"
#include "gamelib/StringManager.h"
#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "sound/hssOfflineRenderer.h"
#include "util/DEnumeration.h"
#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <algorithm>
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

namespace {

Frame partsOf(const gamelib::Animation& animation, int32_t frame)
{
    vela::lang::DshortArrayPtr row = animation.partsOf(frame);
    if (!row)
        throw std::runtime_error("a sprite frame names no frame");
    Frame parts;
    for (int32_t i = 0; i + gamelib::Animation::PART_VALUES <= row->length(); i += gamelib::Animation::PART_VALUES) {
        const int16_t* v = row->data() + i;
        parts.push_back(Part{v[0], v[1], v[2] & gamelib::Animation::INDEX_MASK, v[3],
                             (v[2] & gamelib::Animation::MIRRORED) != 0});
    }
    return parts;
}

FrameRects rectsOf(const gamelib::Animation& animation, int32_t frame)
{
    vela::lang::DshortArrayPtr row = animation.rectsOf(frame);
    if (!row)
        throw std::runtime_error("a sprite rect table names no table");
    FrameRects rects;
    for (int32_t i = 0; i + gamelib::Animation::RECT_VALUES <= row->length(); i += gamelib::Animation::RECT_VALUES) {
        const int16_t* v = row->data() + i;
        rects.push_back(FrameRect{v[0], v[1], v[2], v[3], v[4]});
    }
    return rects;
}

}  // namespace

ParsedSet readSpriteSet(const Bytes& description)
{
    gamelib::ImageManagerPtr images = new gamelib::ImageManager();
    vela::io::DDataInputStreamPtr in =
        new vela::io::DDataInputStream(new vela::io::DByteArrayInputStream(toByteArray(description)));
    asTheGameReads("sprite description", [&] { images->readDescription(*in); });
    if (in->available() != 0)
        throw std::runtime_error("sprite description has bytes after its last animation");
    ParsedSet set;
    for (int32_t i = 0; i < images->imageCount(); ++i) {
        const gamelib::GameImage& r = *images->getImage(i);
        set.rects.push_back({r.x, r.y, r.width, r.height});
    }
    for (int32_t a = 0; a < images->animationCount(); ++a) {
        const gamelib::Animation& animation = *images->getAnimation(a);
        Animation parsed;
        for (int32_t f = 0; f < animation.frameCount(); ++f) {
            parsed.frames.push_back(partsOf(animation, f));
            if (animation.rects)
                parsed.rects.push_back(rectsOf(animation, f));
        }
        set.anims.push_back(parsed);
    }
    return set;
}

TextTable readLanguageFile(const std::string& name, const Bytes& bytes)
{
    gamelib::StringManagerPtr strings = new gamelib::StringManager();
    asTheGameReads("language file", [&] {
        strings->load(new vela::io::DByteArrayInputStream(toByteArray(bytes)), true);
    });
    TextTable table{name, {}};
    for (vela::util::DEnumerationPtr keys = strings->keys(); keys->hasMoreElements();) {
        vela::lang::DStringPtr key = vela::lang::ptrCast<vela::lang::DString>(keys->nextElement());
        table.entries.emplace_back(key->toUtf8(), strings->get(key)->toUtf8());
    }
    std::sort(table.entries.begin(), table.entries.end());
    return table;
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
