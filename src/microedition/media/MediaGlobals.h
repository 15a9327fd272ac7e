// The process-wide media state: the sound engine and the table of players by channel.
#pragma once

#include <cstdint>
#include <memory>

#include "microedition/media/DPlayerArray.h"
#include "sound/hssDriver.h"
#include "sound/hssSpeaker.h"

namespace vela::microedition::media {

struct MediaGlobals {
    std::unique_ptr<hssSpeaker> speaker;
    int32_t musicChannels = 0;
    int32_t soundChannels = 0;
    DPlayerArrayPtr players;
    bool initialized = false;
};

// The globals, created on first use; null when no output could be opened (silence).
MediaGlobals* mediaGlobals();

// The globals if they exist already; never creates them.
MediaGlobals* existingMediaGlobals();

} // namespace vela::microedition::media
