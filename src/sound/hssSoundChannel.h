// A channel of the sound pool: plays one sampled sound, resampled by a fixed-point step.
#pragma once

#include "sound/hssChannel.h"

#include <cstdint>

class hssSound;

class hssSoundChannel : public hssChannel {
public:
    explicit hssSoundChannel(hssSpeaker* owner) : hssChannel(owner) {}

    // Takes the sound's data and settings; the caller holds the driver lock.
    void start(const hssSound& sound);
    const uint8_t* sampleData() const { return data; }

    // Frames, counted from the start of the sound.
    int getPosition() override;
    void setPosition(int position) override;
    int getLength() override;

    // Adds `frames` frames to the sound sums (one or two lanes per frame).
    void mix(int32_t* sums, int frames, bool stereoOutput);

protected:
    int masterLevel() const override;

private:
    // Both answer the frames mixed before the sound ended.
    int mixMono(int32_t* sums, int frames);
    int mixStereo(int32_t* sums, int frames);
    bool nextFrame();

    const uint8_t* data = nullptr;
    bool eightBit = false;
    bool stereo = false;
    int frequency = 0;
    bool frequencyChanged = false;
    int64_t step = 0;       // frames per output frame, 8 fractional bits
    int64_t playPosition = 0;   // 8 fractional bits
    int64_t end = 0;
};
