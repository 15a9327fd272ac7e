// The memory output driver used by tests and offline rendering.
#include "sound/hssMemoryDriver.h"

#include "sound/hssStatus.h"

int hssMemoryDriver::open(const hssFormat& format, int bufferFrames, hssMixCallback mix, void* user)
{
    if (mixFunction)
        return HSS_ALREADY_OPEN;
    if (!format.valid() || !mix || bufferFrames <= 0)
        return HSS_NO_DEVICE;
    outputFormat = format;
    framesPerBuffer = bufferFrames;
    mixFunction = mix;
    mixUser = user;
    paused = true;
    return HSS_OK;
}

int hssMemoryDriver::close()
{
    if (!mixFunction)
        return HSS_NOT_OPEN;
    mixFunction = nullptr;
    mixUser = nullptr;
    paused = true;
    return HSS_OK;
}

bool hssMemoryDriver::render(uint8_t* buffer, int bytes)
{
    if (!mixFunction || paused)
        return false;
    mixFunction(mixUser, buffer, bytes);
    return true;
}

hssDriver* hssCreateMemoryDriver()
{
    return new hssMemoryDriver();
}
