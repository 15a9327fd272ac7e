// The media globals (engine and player table, made on first use) and the media-wide operations.
#include "microedition/media/DManager.h"

#include "lang/DExceptionBase.h"
#include "lang/DSystem.h"
#include "microedition/media/DPlayerMod.h"
#include "microedition/media/DPlayerWav.h"
#include "microedition/media/MediaGlobals.h"
#include "sound/hssStatus.h"

#include <string>

namespace vela::microedition::media {

namespace {

enum { LATENCY_MS = 180, INITIAL_MASTER_LEVEL = 32, FALLBACK_FREQUENCIES = 3 };

MediaGlobals globals;
bool attempted = false;
hssDriverFactory driverFactory = nullptr;
// The levels asked for while silent, so the settings still read back what was set.
int32_t silentSoundLevel = INITIAL_MASTER_LEVEL;
int32_t silentMusicLevel = INITIAL_MASTER_LEVEL;

int32_t property(const char16_t* key)
{
    return lang::DSystem::getIntProperty(key);
}

int32_t clampLevel(int32_t level)
{
    return level < 0 ? 0 : level > 64 ? 64 : level;
}

// The configured format first, then each fallback frequency in stereo, then in mono.
bool openEngine(hssSpeaker& speaker)
{
    const int32_t bits = property(u"sound.bps");
    const int32_t music = property(u"sound.music_channels");
    const int32_t sounds = property(u"sound.sfx_channels");
    if (speaker.open(property(u"sound.frequency"), bits, property(u"sound.stereo") != 0, music, sounds) == HSS_OK)
        return true;
    for (int stereo = 1; stereo >= 0; --stereo) {
        for (int i = 1; i <= FALLBACK_FREQUENCIES; ++i) {
            std::u16string key = u"sound.frequency." + std::u16string(1, static_cast<char16_t>(u'0' + i));
            if (speaker.open(property(key.c_str()), bits, stereo, music, sounds) == HSS_OK)
                return true;
        }
    }
    return false;
}

bool initialize()
{
    attempted = true;
    std::unique_ptr<hssSpeaker> speaker(new hssSpeaker(driverFactory, LATENCY_MS));
    if (!openEngine(*speaker))
        return false;
    speaker->setMasterMusicLevel(INITIAL_MASTER_LEVEL);
    speaker->setMasterSoundLevel(INITIAL_MASTER_LEVEL);
    globals.musicChannels = speaker->musicChannelCount();
    globals.soundChannels = speaker->soundChannelCount();
    DPlayerArray* table = new (std::nothrow) DPlayerArray(globals.musicChannels + globals.soundChannels);
    if (!table) {
        speaker->close();
        return false;
    }
    globals.players = table;
    globals.speaker = std::move(speaker);
    globals.initialized = true;
    return true;
}

}

MediaGlobals* mediaGlobals()
{
    if (!globals.initialized && !attempted)
        initialize();
    return existingMediaGlobals();
}

MediaGlobals* existingMediaGlobals()
{
    return globals.initialized ? &globals : nullptr;
}

DPlayerPtr DManager::createPlayer(io::DInputStreamPtr stream, lang::DStringPtr contentType)
{
    if (!stream)
        lang::throwException(lang::IllegalArgumentException);
    if (!contentType)
        lang::throwException(lang::MediaException);
    mediaGlobals();
    if (contentType->equals(u"audio/x-wav"))
        return DPlayerPtr(new DPlayerWav(stream));
    if (contentType->equals(u"audio/mod"))
        return DPlayerPtr(new DPlayerMod(stream));
    return nullptr;
}

void DManager::setMasterSoundLevel(int32_t level)
{
    silentSoundLevel = clampLevel(level);
    if (MediaGlobals* g = mediaGlobals())
        g->speaker->setMasterSoundLevel(level);
}

void DManager::setMasterMusicLevel(int32_t level)
{
    silentMusicLevel = clampLevel(level);
    if (MediaGlobals* g = mediaGlobals())
        g->speaker->setMasterMusicLevel(level);
}

int32_t DManager::getMasterSoundLevel()
{
    MediaGlobals* g = mediaGlobals();
    return g ? g->speaker->masterSoundLevel() : silentSoundLevel;
}

int32_t DManager::getMasterMusicLevel()
{
    MediaGlobals* g = mediaGlobals();
    return g ? g->speaker->masterMusicLevel() : silentMusicLevel;
}

void DManager::stopAll()
{
    if (MediaGlobals* g = existingMediaGlobals())
        g->speaker->stopAll();
}

void DManager::stopPlayersSharingSource(const DPlayerPtr& player)
{
    MediaGlobals* g = existingMediaGlobals();
    if (!g || !player)
        return;
    for (int32_t slot = 0; slot < g->players->length(); ++slot) {
        DPlayerPtr other = g->players->get(slot);
        if (other && other->getKind() == player->getKind() && other->getSource() == player->getSource()) {
            other->stop();
            other->setMediaTime(0);
        }
    }
}

void DManager::pauseOutput()
{
    if (MediaGlobals* g = existingMediaGlobals())
        g->speaker->pause();
}

void DManager::resumeOutput()
{
    if (MediaGlobals* g = existingMediaGlobals())
        g->speaker->resume();
}

void DManager::release()
{
    if (globals.initialized) {
        globals.speaker->stopAll();
        globals.initialized = false;
        // The output thread must be gone before the players free the data it mixes.
        globals.speaker.reset();
        globals.players = nullptr;
    }
    attempted = false;
}

void DManager::setDriverFactory(hssDriverFactory factory)
{
    driverFactory = factory;
}

hssSpeaker* DManager::speaker()
{
    MediaGlobals* g = existingMediaGlobals();
    return g ? g->speaker.get() : nullptr;
}

} // namespace vela::microedition::media
