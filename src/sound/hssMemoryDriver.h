// An output driver without a device: the owner pulls mixed buffers into memory.
#pragma once

#include "sound/hssDriver.h"

class hssMemoryDriver : public hssDriver {
public:
    int open(const hssFormat& format, int bufferFrames, hssMixCallback mix, void* user) override;
    int close() override;
    void lock() override {}
    void unlock() override {}
    void pause() override { paused_ = true; }
    void resume() override { paused_ = false; }

    // Mixes `bytes` bytes as a device would; answers false when closed or paused.
    bool render(uint8_t* buffer, int bytes);
    bool isOpen() const { return mix_ != nullptr; }
    bool isPaused() const { return paused_; }
    const hssFormat& format() const { return format_; }
    int bufferFrames() const { return bufferFrames_; }

private:
    hssFormat format_ = {0, 0, 0};
    int bufferFrames_ = 0;
    hssMixCallback mix_ = nullptr;
    void* user_ = nullptr;
    bool paused_ = true;
};

hssDriver* hssCreateMemoryDriver();
