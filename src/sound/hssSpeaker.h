// The sound engine: owns the output driver and the music and sound pools, and mixes them.
#pragma once

#include "sound/hssDriver.h"
#include "sound/hssMusicChannel.h"
#include "sound/hssSoundChannel.h"
#include "sound/hssTables.h"

#include <cstdint>
#include <memory>
#include <vector>

class hssSound;
class hssMusic;

class hssSpeaker {
public:
    enum { DEFAULT_LATENCY_MS = 180 };

    // The creator chooses the output: a device driver, or memory for offline mixing. Without a
    // factory there is no device.
    explicit hssSpeaker(hssDriverFactory factory, int latencyMs = DEFAULT_LATENCY_MS);
    ~hssSpeaker();
    hssSpeaker(const hssSpeaker&) = delete;
    hssSpeaker& operator=(const hssSpeaker&) = delete;

    // bits 8 or 16; stereo 1 for two output channels. Answers 0 or a negative status.
    int open(int frequency, int bits, int stereo, int musicChannels, int soundChannels);
    int close();
    bool isOpen() const { return open_; }

    // Channel id, or a negative status. The last argument is accepted and ignored.
    int playSound(const hssSound* sound, int flags = 0);
    int playMusic(const hssMusic* music, int flags = 0);
    // Music channels first, then sound channels; null for any other id.
    hssChannel* channel(int id);
    int musicChannelCount() const { return static_cast<int>(music_.size()); }
    int soundChannelCount() const { return static_cast<int>(sounds_.size()); }

    void setMasterMusicLevel(int level);
    void setMasterSoundLevel(int level);
    int masterMusicLevel() const { return masterMusicLevel_; }
    int masterSoundLevel() const { return masterSoundLevel_; }
    void stopAll();

    // Suspends and restarts the output (the application lost or regained the foreground).
    void pause();
    void resume();

    hssDriver* driver() { return driver_; }
    int frequency() const { return frequency_; }
    bool is16bit() const { return is16bit_; }
    bool isStereo() const { return stereo_; }
    int latency() const { return latencyMs_; }

    // Note tables for periods 1..HSS_PERIOD_MAX.
    int32_t stepForPeriod(int period) const { return steps_[period]; }
    int nearestNote(int period) const;

    // Fills one output buffer; called by the driver under its lock.
    void mix(uint8_t* buffer, int bytes);

private:
    enum { MIX_CHUNK = 512 };

    static void mixCallback(void* user, uint8_t* buffer, int bytes);
    void buildNoteTables();
    int allocatePools(int musicChannels, int soundChannels);
    void freePools();
    void mixChunk(uint8_t* out, int frames);

    hssDriverFactory factory_;
    hssDriver* driver_ = nullptr;
    bool open_ = false;
    int latencyMs_;
    int frequency_ = 0;
    bool is16bit_ = true;
    bool stereo_ = true;
    int masterMusicLevel_ = 64;
    int masterSoundLevel_ = 64;
    std::vector<std::unique_ptr<hssMusicChannel>> music_;
    std::vector<std::unique_ptr<hssSoundChannel>> sounds_;
    std::vector<hssMusicChannel*> activeMusic_;
    std::vector<hssSoundChannel*> activeSounds_;
    int32_t steps_[HSS_PERIOD_MAX + 1] = {};
    uint8_t nearest_[HSS_PERIOD_MAX + 1] = {};
    int32_t musicSums_[2 * MIX_CHUNK];
    int32_t soundSums_[2 * MIX_CHUNK];
};
