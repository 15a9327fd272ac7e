// The sound engine's output driver on an SDL audio device.
#pragma once

#include "sound/hssDriver.h"

#include <cstdint>

namespace host {

class SdlAudioDriver : public hssDriver {
public:
    ~SdlAudioDriver() override;
    int open(const hssFormat& format, int bufferFrames, hssMixCallback mix, void* user) override;
    int close() override;
    void lock() override;
    void unlock() override;
    void pause() override;
    void resume() override;

private:
    static void callback(void* self, uint8_t* stream, int bytes);

    uint32_t device = 0;
    hssMixCallback mixFunction = nullptr;
    void* mixUser = nullptr;
    bool paused = true;
};

// The driver factory the shell installs for real play.
hssDriver* createSdlAudioDriver();

} // namespace host
