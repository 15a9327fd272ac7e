// What music and sound channels share: levels, pan and the play flags clients set.
#pragma once

#include <atomic>
#include <cstdint>

class hssSpeaker;

class hssChannel {
public:
    explicit hssChannel(hssSpeaker* owner) : owner(owner) {}
    virtual ~hssChannel() {}
    hssChannel(const hssChannel&) = delete;
    hssChannel& operator=(const hssChannel&) = delete;

    // Level 0..64; the effective level scales it by the pool's master level.
    virtual void setVolume(int level);
    virtual void setPan(int pan);
    virtual int getPosition() = 0;
    virtual void setPosition(int position) = 0;
    virtual int getLength() = 0;

    int volume() const { return volumeLevel.load(std::memory_order_relaxed); }
    int effectiveLevel() const { return scaledLevel.load(std::memory_order_relaxed); }
    int pan() const { return currentPan.load(std::memory_order_relaxed); }

    // Single-word flags written by clients without the lock; the mixer reads them.
    bool isLooping() const { return loop.load(std::memory_order_relaxed); }
    bool isPaused() const { return paused.load(std::memory_order_relaxed); }
    bool isStopped() const { return stopped.load(std::memory_order_relaxed); }
    void setLoop(bool on) { loop.store(on, std::memory_order_relaxed); }
    void setPaused(bool on) { paused.store(on, std::memory_order_relaxed); }
    void setStopped(bool on) { stopped.store(on, std::memory_order_relaxed); }
    // A free channel may be taken by the next play request.
    bool isFree() const { return isStopped() && !isPaused(); }
    bool isActive() const { return !isStopped() && !isPaused(); }

    // Output frames this channel has contributed since it was started; read by the mixer's
    // own thread (offline rendering uses it to cut the output where the sound ended).
    int64_t framesPlayed() const { return playedFrames; }

protected:
    virtual int masterLevel() const = 0;
    void storePan(int pan) { currentPan.store(pan, std::memory_order_relaxed); }

    int64_t playedFrames = 0;

    hssSpeaker* owner;

private:
    std::atomic<int> volumeLevel{64};
    std::atomic<int> scaledLevel{64};
    std::atomic<int> currentPan{128};
    std::atomic<bool> loop{false};
    std::atomic<bool> paused{false};
    std::atomic<bool> stopped{true};
};
