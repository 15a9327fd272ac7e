// What the rules ask of the world around them: clock, sounds, level files and screen effects.
#pragma once

#include <cstdint>

#include "lang/DbyteArray.ptr"

namespace tintrow {

// The game screen implements this for play; headless drivers implement it with recorders.
// The rules never touch graphics, the GUI or the sound device directly.
class GameHost {
public:
    virtual ~GameHost() = default;

    // Millisecond tick count the game runs on.
    virtual int64_t currentTimeMillis() = 0;

    // Sounds by their number in the game's sound table; pan from -64 (left) to 63 (right).
    virtual void playSound(int32_t index, int32_t pan, bool loop) = 0;
    virtual void setSoundPan(int32_t index, int32_t pan) = 0;
    virtual void stopSound(int32_t index) = 0;

    // The sound manager's two volumes, as kept in the settings store.
    virtual int32_t volume(int32_t which) = 0;
    virtual void setVolumes(int32_t first, int32_t second) = 0;

    // Level files: "<n>.bin" of the game's data; null when there is none.
    virtual vela::lang::DbyteArrayPtr readLevel(int32_t index) = 0;

    virtual void drawLevelBackground() = 0;
    virtual void restartTimeIndicator() = 0;
    virtual void clearParticles() = 0;
    virtual void resetActions() = 0;
    virtual void refreshInGameMenu() = 0;
    virtual void showLevelTips() = 0;
};

} // namespace tintrow
