// The memory output driver used by tests and offline rendering.
#include "sound/hssMemoryDriver.h"

#include "sound/hssStatus.h"

int hssMemoryDriver::open(const hssFormat& format, int bufferFrames, hssMixCallback mix, void* user)
{
    if (mix_)
        return HSS_ALREADY_OPEN;
    if (!format.valid() || !mix || bufferFrames <= 0)
        return HSS_NO_DEVICE;
    format_ = format;
    bufferFrames_ = bufferFrames;
    mix_ = mix;
    user_ = user;
    paused_ = true;
    return HSS_OK;
}

int hssMemoryDriver::close()
{
    if (!mix_)
        return HSS_NOT_OPEN;
    mix_ = nullptr;
    user_ = nullptr;
    paused_ = true;
    return HSS_OK;
}

bool hssMemoryDriver::render(uint8_t* buffer, int bytes)
{
    if (!mix_ || paused_)
        return false;
    mix_(user_, buffer, bytes);
    return true;
}

hssDriver* hssCreateMemoryDriver()
{
    return new hssMemoryDriver();
}
