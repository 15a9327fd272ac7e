// Sound channel: position, looping and the per-frame mix of 8/16-bit mono/stereo samples.
#include "sound/hssSoundChannel.h"

#include "sound/hssSound.h"
#include "sound/hssSpeaker.h"

#include <cstring>

void hssSoundChannel::start(const hssSound& sound)
{
    data_ = sound.data();
    frequency_ = sound.frequency;
    stereo_ = sound.isStereo();
    is8bit_ = sound.is8bit();
    setPan(sound.pan);
    setLoop(sound.loop);
    end_ = static_cast<int64_t>(sound.length()) * 256;
    position_ = 0;
    framesPlayed_ = 0;
    frequencyChanged_ = true;
    setVolume(sound.level);
}

int hssSoundChannel::masterLevel() const
{
    return owner_->masterSoundLevel();
}

int hssSoundChannel::getPosition()
{
    hssDriverLock lock(owner_->driver());
    return static_cast<int>(position_ >> 8);
}

void hssSoundChannel::setPosition(int position)
{
    hssDriverLock lock(owner_->driver());
    int64_t target = static_cast<int64_t>(position < 0 ? 0 : position) * 256;
    position_ = target < end_ ? target : end_;
}

int hssSoundChannel::getLength()
{
    return static_cast<int>(end_ >> 8);
}

// Applies looping and the end of data; false once the channel has stopped.
inline bool hssSoundChannel::nextFrame()
{
    if (position_ >= end_ && isLooping() && end_ > 0)
        position_ %= end_;
    if (position_ >= end_) {
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
    if (frequencyChanged_) {
        step_ = (static_cast<int64_t>(frequency_) * 65536) / (static_cast<int64_t>(owner_->frequency()) * 256);
        frequencyChanged_ = false;
    }
    framesPlayed_ += stereoOutput ? mixStereo(sums, frames) : mixMono(sums, frames);
}

int hssSoundChannel::mixMono(int32_t* sums, int frames)
{
    const int level = effectiveLevel();
    int f = 0;
    for (; f < frames && nextFrame(); ++f) {
        int64_t frame = position_ >> 8;
        if (stereo_)
            sums[f] += level * sampleAt(data_, 2 * frame, is8bit_) + level * sampleAt(data_, 2 * frame + 1, is8bit_);
        else
            sums[f] += level * sampleAt(data_, frame, is8bit_);
        position_ += step_;
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
        int64_t frame = position_ >> 8;
        int l, r;
        if (stereo_) {
            l = sampleAt(data_, 2 * frame, is8bit_);
            r = sampleAt(data_, 2 * frame + 1, is8bit_);
        } else {
            l = r = sampleAt(data_, frame, is8bit_);
        }
        if (p == 128) {
            sums[2 * f] += level * l;
            sums[2 * f + 1] += level * r;
        } else if (stereo_) {
            sums[2 * f] += left * l + left * r;
            sums[2 * f + 1] += right * l + right * r;
        } else {
            sums[2 * f] += left * l;
            sums[2 * f + 1] += right * l;
        }
        position_ += step_;
    }
    return f;
}
