// A media player: a sound or module moving through unrealized, realized, prefetched, started.
#pragma once

#include <cstdint>

#include "io/DInputStream.h"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "microedition/media/DPlayer.ptr"

class hssChannel;
class hssSpeaker;

namespace vela::microedition::media {

class DPlayer : public lang::DObject {
public:
    enum State : int32_t {
        CLOSED = 0,
        UNREALIZED = 100,
        REALIZED = 200,
        PREFETCHED = 300,
        STARTED = 400,
    };
    enum Kind : int32_t { KIND_WAVE = 0, KIND_MODULE = 1 };
    // Without a channel; after a failed start the engine's failure code is kept instead.
    enum : int32_t { NO_CHANNEL = -1 };

    DPlayer(Kind kind, io::DInputStreamPtr stream);
    ~DPlayer() override;

    // Virtual operations, in the slot order of the platform model.
    virtual void close();
    virtual void reserved7() { }
    virtual lang::DStringPtr getContentType() = 0;
    virtual int32_t getState();
    virtual void prefetch();
    virtual void realize();
    virtual void setLoopCount(int32_t count);
    // The player that actually plays (this one, or a clone when this one is busy), or null.
    virtual DPlayerPtr start();
    virtual void stop();
    virtual int64_t getDuration();
    virtual int64_t getMediaTime();
    virtual int64_t setMediaTime(int64_t time);
    virtual int32_t getVolume();
    virtual int32_t setVolume(int32_t level);
    virtual int32_t getPan();
    virtual int32_t setPan(int32_t pan);
    virtual bool isPlaying();

    Kind getKind() const { return kind; }
    int32_t getChannelId() const { return channelId; }
    int32_t getLoopCount() const { return loopCount; }
    lang::DObject* getSource() const { return sharedSource.get(); }

    // Lets go of the engine channel: if this player still owns it, the channel is stopped
    // and freed and the table slot cleared. A stopped player that is dropped must call it,
    // or its paused channel stays taken for good.
    void releaseChannel();

protected:
    // Passed along with every play request; the engine ignores it.
    static constexpr int PLAY_FLAGS = 0x10000000;

    // What differs between waves and modules.
    virtual lang::DObjectPtr newSource() = 0;
    virtual bool sourceLoaded() const = 0;
    virtual bool loadSource(const uint8_t* bytes, int32_t size) = 0;
    virtual int32_t playOn(hssSpeaker& speaker) = 0;
    virtual DPlayerPtr cloneSharingSource() = 0;

    void shareSource(const lang::DObjectPtr& source, bool loaded);
    // The engine channel this player holds, or null.
    hssChannel* channel() const;

    int32_t state = UNREALIZED;
    int32_t channelId = NO_CHANNEL;

private:
    void requireOpen() const;
    bool resumeHeldChannel();

    Kind kind;
    io::DInputStreamPtr pendingStream;
    int32_t loopCount = 1;
    lang::DObjectPtr sharedSource;
};

} // namespace vela::microedition::media
