// Player states and transitions shared by wave and module players.
#include "microedition/media/DPlayer.h"

#include "lang/DArray.h"
#include "lang/DExceptionBase.h"
#include "microedition/media/MediaGlobals.h"
#include "sound/hssChannel.h"
#include "sound/hssSpeaker.h"

namespace vela::microedition::media {

using lang::DExceptionBase;
using lang::throwException;

DPlayer::DPlayer(Kind kind, io::DInputStreamPtr stream) : kind(kind), pendingStream(stream)
{
}

// The table holds a reference to every player that owns a channel, so a player dies only
// after its channel went to another player or the table was released with every channel.
DPlayer::~DPlayer() = default;

void DPlayer::requireOpen() const
{
    if (state == CLOSED)
        throwException(lang::IllegalStateException);
}

void DPlayer::shareSource(const lang::DObjectPtr& source, bool loaded)
{
    sharedSource = source;
    state = loaded ? PREFETCHED : UNREALIZED;
}

hssChannel* DPlayer::channel() const
{
    MediaGlobals* globals = existingMediaGlobals();
    return (globals && channelId >= 0) ? globals->speaker->channel(channelId) : nullptr;
}

void DPlayer::releaseChannel()
{
    MediaGlobals* globals = existingMediaGlobals();
    const bool owned = globals && channelId >= 0 && channelId < globals->players->length()
        && globals->players->get(channelId).get() == this;
    if (!owned) {
        channelId = NO_CHANNEL;   // the channel plays for another player now: leave it alone
        return;
    }
    hssChannel* held = channel();
    {
        // Under the lock, so no mix still reads the data once the caller drops the player.
        hssDriverLock lock(globals->speaker->driver());
        held->setStopped(true);
        held->setPaused(false);   // a paused channel would never be free again
    }
    lang::DPtr<DPlayer> keep(this);   // clearing the slot may drop the last reference
    globals->players->set(channelId, nullptr);
    channelId = NO_CHANNEL;
}

void DPlayer::close()
{
    state = CLOSED;
}

int32_t DPlayer::getState()
{
    return state;
}

void DPlayer::realize()
{
    requireOpen();
    if (state != UNREALIZED)
        return;
    if (!sharedSource)
        sharedSource = newSource();
    if (pendingStream) {
        io::DInputStreamPtr stream = pendingStream;
        pendingStream = nullptr;
        int32_t size = stream->available();
        lang::DbyteArrayPtr bytes(new lang::DbyteArray(size > 0 ? size : 0));
        int32_t read = size > 0 ? stream->read(bytes, 0, size) : 0;
        if (!loadSource(reinterpret_cast<const uint8_t*>(bytes->data()), read > 0 ? read : 0))
            throwException(lang::MediaException);
    }
    state = REALIZED;
}

void DPlayer::prefetch()
{
    requireOpen();
    if (state == UNREALIZED)
        realize();
    if (state == REALIZED)
        state = PREFETCHED;
}

void DPlayer::setLoopCount(int32_t count)
{
    if (count != 1 && count != -1)
        throwException(lang::IllegalArgumentException);
    loopCount = count;
    if (isPlaying())
        channel()->setLoop(count == -1);
}

// Un-pauses the channel a stopped player still holds; false when the engine stopped it or
// gave it to another player meanwhile (then it is let go and a fresh one is needed).
bool DPlayer::resumeHeldChannel()
{
    MediaGlobals* globals = existingMediaGlobals();
    hssChannel* held = channel();
    bool stillOurs = held && globals->players->get(channelId).get() == this;
    if (stillOurs && !held->isStopped()) {
        held->setPaused(false);
        return true;
    }
    releaseChannel();
    return false;
}

DPlayerPtr DPlayer::start()
{
    requireOpen();
    if (isPlaying()) {
        DPlayerPtr clone = cloneSharingSource();
        clone->loopCount = loopCount;
        return clone->start();
    }
    if (state != PREFETCHED) {
        realize();
        prefetch();
        if (state != PREFETCHED)
            return nullptr;
    }
    MediaGlobals* globals = mediaGlobals();
    if (!globals)
        return nullptr;
    if (channelId < 0 || !resumeHeldChannel()) {
        int32_t id = playOn(*globals->speaker);
        channelId = id;   // a failure code stays as the record of the failed start
        if (id < 0)
            return nullptr;
        globals->players->set(id, DPlayerPtr(this));
    }
    channel()->setLoop(loopCount == -1);
    state = STARTED;
    return DPlayerPtr(this);
}

void DPlayer::stop()
{
    if (state != STARTED || !isPlaying())
        return;
    channel()->setPaused(true);
    state = PREFETCHED;
}

int64_t DPlayer::getDuration()
{
    return -1;
}

int64_t DPlayer::getMediaTime()
{
    if (!isPlaying())
        return -1;
    return channel()->getPosition();
}

int64_t DPlayer::setMediaTime(int64_t time)
{
    bool rejected = kind == KIND_WAVE ? time != 0 : time > 0;
    if (rejected)
        return -1;
    bool started = isPlaying();
    if (!started && !(state == PREFETCHED && channelId >= 0))
        return -1;
    if (started && kind == KIND_WAVE) {
        channel()->setPosition(0);
    } else if (started) {
        channel()->setPosition(0);
        releaseChannel();
        state = PREFETCHED;   // no channel is left to be started on
    } else if (kind == KIND_WAVE) {
        releaseChannel();
    }
    return 0;
}

int32_t DPlayer::getVolume()
{
    hssChannel* held = channel();
    return held ? held->effectiveLevel() : -1;
}

int32_t DPlayer::setVolume(int32_t level)
{
    hssChannel* held = channel();
    if (!held)
        return -1;
    held->setVolume(level);
    return held->volume();
}

int32_t DPlayer::getPan()
{
    return 0;
}

int32_t DPlayer::setPan(int32_t)
{
    return 0;
}

bool DPlayer::isPlaying()
{
    if (state != STARTED)
        return false;
    MediaGlobals* globals = existingMediaGlobals();
    if (!globals)
        return false;
    DPlayerPtr owner = globals->players->get(channelId);   // a corrupt id throws here
    hssChannel* held = globals->speaker->channel(channelId);
    if (owner.get() == this && held && held->isActive())
        return true;
    if (owner.get() == this)
        globals->players->set(channelId, nullptr);
    channelId = NO_CHANNEL;
    state = PREFETCHED;
    return false;
}

} // namespace vela::microedition::media
