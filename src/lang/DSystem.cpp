// Array copies, the millisecond clock and the system property tables.
#include "lang/DSystem.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"

namespace vela::lang {

void DSystem::arraycopy(const DObjectArrayPtr& source, int32_t sourcePos,
    const DObjectArrayPtr& destination, int32_t destinationPos, int32_t length)
{
    if (!source || !destination)
        throwException(NullPointerException);
    if (sourcePos < 0 || destinationPos < 0 || length < 0 || sourcePos > source->length()
        || destinationPos > destination->length())
        throwException(IndexOutOfBoundsException);
    const int32_t n = std::min(destination->length() - destinationPos, length);
    if (source == destination) {
        // Through a temporary, so overlapping ranges copy as if all were read first.
        DObjectArrayPtr staged = new DObjectArray(n);
        for (int32_t k = 0; k < n; ++k)
            (*staged)[k] = (*source)[sourcePos + k];
        for (int32_t k = 0; k < n; ++k)
            (*destination)[destinationPos + k] = (*staged)[k];
        return;
    }
    for (int32_t k = 0; k < n && sourcePos + k < source->length(); ++k)
        (*destination)[destinationPos + k] = (*source)[sourcePos + k];
}

template <class Array>
static void copyPrimitive(const DPtr<Array>& source, int32_t sourcePos,
    const DPtr<Array>& destination, int32_t destinationPos, int32_t length)
{
    if (!source || !destination)
        throwException(NullPointerException);
    if (sourcePos < 0 || destinationPos < 0 || length < 0
        || int64_t { sourcePos } + length > source->length()
        || int64_t { destinationPos } + length > destination->length())
        throwException(IndexOutOfBoundsException);
    if (length > 0)
        std::memmove(destination->data() + destinationPos, source->data() + sourcePos,
            length * sizeof(*source->data()));
}

void DSystem::arraycopy(const DbyteArrayPtr& source, int32_t sourcePos,
    const DbyteArrayPtr& destination, int32_t destinationPos, int32_t length)
{
    copyPrimitive(source, sourcePos, destination, destinationPos, length);
}

void DSystem::arraycopy(const DshortArrayPtr& source, int32_t sourcePos,
    const DshortArrayPtr& destination, int32_t destinationPos, int32_t length)
{
    copyPrimitive(source, sourcePos, destination, destinationPos, length);
}

void DSystem::arraycopy(const DintArrayPtr& source, int32_t sourcePos,
    const DintArrayPtr& destination, int32_t destinationPos, int32_t length)
{
    copyPrimitive(source, sourcePos, destination, destinationPos, length);
}

int64_t DSystem::currentTimeMillis()
{
    return static_cast<int64_t>(host::tickCount());
}

namespace {

std::u16string_view keyText(const char16_t* key)
{
    return key ? std::u16string_view(key) : std::u16string_view();
}

DStringPtr programDirectory()
{
    return DString::fromUtf8(host::programDirectory());
}

bool platformIs(std::u16string_view type)
{
    return host::platformType() == type;
}

struct IntProperty {
    const char16_t* key;
    int32_t value;
};

const IntProperty fixedIntProperties[] = {
    { u"platform.type", 2 },
    { u"input.qwerty", -1 },
    { u"input.mouse", 0 },
    { u"sound.stereo", 1 },
    { u"sound.bps", 16 },
    { u"sound.frequency", 44100 },
    { u"sound.sfx_channels", 32 },
    { u"sound.music_channels", 16 },
};

} // namespace

DStringPtr DSystem::getProperty(const char16_t* key)
{
    std::u16string_view k = keyText(key);
    if (k == u"file.separator")
        return new DString(u"\\");
    if (k == u"app.fullpath")
        return programDirectory();
    if (k == u"archive.name")
        return new DString(u"game.dat");
    if (k == u"archive.password")
        return new DString();
    if (k == u"platform.string")
        return new DString(host::platformType().c_str());
    return nullptr;
}

DStringPtr DSystem::getProperty(const DStringPtr& key)
{
    return getProperty(key->getChars());
}

int32_t DSystem::getIntProperty(const char16_t* key)
{
    std::u16string_view k = keyText(key);
    if (k == u"input.touchscreen")
        return platformIs(u"PocketPC") ? 1 : 0;
    if (k == u"input.softkeys")
        return platformIs(u"SmartPhone") ? 1 : 0;
    for (const IntProperty& p : fixedIntProperties)
        if (k == p.key)
            return p.value;
    return -1;
}

int32_t DSystem::getIntProperty(const DStringPtr& key)
{
    return getIntProperty(key->getChars());
}

} // namespace vela::lang
