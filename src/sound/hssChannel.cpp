// Level and pan handling common to every channel.
#include "sound/hssChannel.h"

static int clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

void hssChannel::setVolume(int level)
{
    level = clamp(level, 0, 64);
    volumeLevel.store(level, std::memory_order_relaxed);
    scaledLevel.store(masterLevel() * level / 64, std::memory_order_relaxed);
}

void hssChannel::setPan(int pan)
{
    storePan(clamp(pan, 0, 255));
}
