// An output driver without a device: the owner pulls mixed buffers into memory.
#pragma once

#include "sound/hssDriver.h"

class hssMemoryDriver : public hssDriver {
public:
    int open(const hssFormat& format, int bufferFrames, hssMixCallback mix, void* user) override;
    int close() override;
    void lock() override {}
    void unlock() override {}
    void pause() override { paused = true; }
    void resume() override { paused = false; }

    // Mixes `bytes` bytes as a device would; answers false when closed or paused.
    bool render(uint8_t* buffer, int bytes);
    bool isOpen() const { return mixFunction != nullptr; }
    bool isPaused() const { return paused; }
    const hssFormat& format() const { return outputFormat; }
    int bufferFrames() const { return framesPerBuffer; }

private:
    hssFormat outputFormat = {0, 0, 0};
    int framesPerBuffer = 0;
    hssMixCallback mixFunction = nullptr;
    void* mixUser = nullptr;
    bool paused = true;
};

hssDriver* hssCreateMemoryDriver();
