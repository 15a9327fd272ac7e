// Creating players by content type, and the media-wide levels and stops the game uses.
#pragma once

#include <cstdint>

#include "io/DInputStream.h"
#include "lang/DString.h"
#include "microedition/media/DPlayer.h"
#include "sound/hssDriver.h"

namespace vela::microedition::media {

class DManager {
public:
    // "audio/x-wav" or "audio/mod"; null for any other type. Null stream:
    // IllegalArgumentException; null type: MediaException.
    static DPlayerPtr createPlayer(io::DInputStreamPtr stream, lang::DStringPtr contentType);

    // Master levels, clamped to 0..64 and re-applied to every channel of the pool.
    static void setMasterSoundLevel(int32_t level);
    static void setMasterMusicLevel(int32_t level);
    static int32_t getMasterSoundLevel();
    static int32_t getMasterMusicLevel();

    // Stops every channel of both pools.
    static void stopAll();
    // Stops and rewinds every player of the same kind that shares `player`'s source.
    static void stopPlayersSharingSource(const DPlayerPtr& player);

    // The application lost or regained the foreground.
    static void pauseOutput();
    static void resumeOutput();

    // Releases the players and shuts the engine down (the shell at exit).
    static void release();

    // The output driver the engine will use; only before the first sound operation.
    static void setDriverFactory(hssDriverFactory factory);
    // The engine, or null while silent or not yet created.
    static hssSpeaker* speaker();
};

} // namespace vela::microedition::media
