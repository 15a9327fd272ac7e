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
    bool isOpen() const { return opened; }

    // Channel id, or a negative status. The last argument is accepted and ignored.
    int playSound(const hssSound* sound, int flags = 0);
    int playMusic(const hssMusic* music, int flags = 0);
    // Music channels first, then sound channels; null for any other id.
    hssChannel* channel(int id);
    int musicChannelCount() const { return static_cast<int>(musicPool.size()); }
    int soundChannelCount() const { return static_cast<int>(soundPool.size()); }

    void setMasterMusicLevel(int level);
    void setMasterSoundLevel(int level);
    int masterMusicLevel() const { return masterMusic; }
    int masterSoundLevel() const { return masterSound; }
    void stopAll();

    // Suspends and restarts the output (the application lost or regained the foreground).
    void pause();
    void resume();

    hssDriver* driver() { return output; }
    int frequency() const { return mixFrequency; }
    bool is16bit() const { return sixteenBit; }
    bool isStereo() const { return stereoOutput; }

    // Note tables for periods 1..HSS_PERIOD_MAX.
    int32_t stepForPeriod(int period) const { return steps[period]; }
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

    hssDriverFactory factory;
    hssDriver* output = nullptr;
    bool opened = false;
    int latencyMs;
    int mixFrequency = 0;
    bool sixteenBit = true;
    bool stereoOutput = true;
    int masterMusic = 64;
    int masterSound = 64;
    std::vector<std::unique_ptr<hssMusicChannel>> musicPool;
    std::vector<std::unique_ptr<hssSoundChannel>> soundPool;
    std::vector<hssMusicChannel*> activeMusic;
    std::vector<hssSoundChannel*> activeSounds;
    int32_t steps[HSS_PERIOD_MAX + 1] = {};
    uint8_t nearest[HSS_PERIOD_MAX + 1] = {};
    int32_t musicSums[2 * MIX_CHUNK];
    int32_t soundSums[2 * MIX_CHUNK];
};
