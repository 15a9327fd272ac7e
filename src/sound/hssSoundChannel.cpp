// Sound channel: position, looping and the per-frame mix of 8/16-bit mono/stereo samples.
#include "sound/hssSoundChannel.h"

#include "sound/hssSound.h"
#include "sound/hssSpeaker.h"

#include <cstring>

void hssSoundChannel::start(const hssSound& sound)
{
    data = sound.data();
    frequency = sound.frequency;
    stereo = sound.isStereo();
    eightBit = sound.is8bit();
    setPan(sound.pan);
    setLoop(sound.loop);
    end = static_cast<int64_t>(sound.length()) * 256;
    playPosition = 0;
    playedFrames = 0;
    frequencyChanged = true;
    setVolume(sound.level);
}

int hssSoundChannel::masterLevel() const
{
    return owner->masterSoundLevel();
}

int hssSoundChannel::getPosition()
{
    hssDriverLock lock(owner->driver());
    return static_cast<int>(playPosition >> 8);
}

void hssSoundChannel::setPosition(int position)
{
    hssDriverLock lock(owner->driver());
    int64_t target = static_cast<int64_t>(position < 0 ? 0 : position) * 256;
    playPosition = target < end ? target : end;
}

int hssSoundChannel::getLength()
{
    return static_cast<int>(end >> 8);
}

// Applies looping and the end of data; false once the channel has stopped.
inline bool hssSoundChannel::nextFrame()
{
    if (playPosition >= end && isLooping() && end > 0)
        playPosition %= end;
    if (playPosition >= end) {
        setStopped(true);
        return false;
    }
    return true;
}

static inline int sampleAt(const uint8_t* data, int64_t index, bool is8bit)
{
    if (is8bit)
        return (data[index] - 128) * 256;
    return static_cast<int16_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

void hssSoundChannel::mix(int32_t* sums, int frames, bool stereoOutput)
{
    if (frequencyChanged) {
        step = (static_cast<int64_t>(frequency) * 65536) / (static_cast<int64_t>(owner->frequency()) * 256);
        frequencyChanged = false;
    }
    playedFrames += stereoOutput ? mixStereo(sums, frames) : mixMono(sums, frames);
}

int hssSoundChannel::mixMono(int32_t* sums, int frames)
{
    const int level = effectiveLevel();
    int f = 0;
    for (; f < frames && nextFrame(); ++f) {
        int64_t frame = playPosition >> 8;
        if (stereo)
            sums[f] += level * sampleAt(data, 2 * frame, eightBit) + level * sampleAt(data, 2 * frame + 1, eightBit);
        else
            sums[f] += level * sampleAt(data, frame, eightBit);
        playPosition += step;
    }
    return f;
}

int hssSoundChannel::mixStereo(int32_t* sums, int frames)
{
    const int level = effectiveLevel();
    const int p = pan();
    // Centred sounds keep full level on both sides; others share twice the level.
    const int v = 2 * level;
    const int right = v * p / 256;
    const int left = v - right;
    int f = 0;
    for (; f < frames && nextFrame(); ++f) {
        int64_t frame = playPosition >> 8;
        int l, r;
        if (stereo) {
            l = sampleAt(data, 2 * frame, eightBit);
            r = sampleAt(data, 2 * frame + 1, eightBit);
        } else {
            l = r = sampleAt(data, frame, eightBit);
        }
        if (p == 128) {
            sums[2 * f] += level * l;
            sums[2 * f + 1] += level * r;
        } else if (stereo) {
            sums[2 * f] += left * l + left * r;
            sums[2 * f + 1] += right * l + right * r;
        } else {
            sums[2 * f] += left * l;
            sums[2 * f + 1] += right * l;
        }
        playPosition += step;
    }
    return f;
}
