// The game's sound control: finding, loading, evicting, playing and stopping table sounds.
#include "gamelib/SoundManager.h"

#include "gamelib/Resources.h"
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DSystem.h"
#include "microedition/media/DManager.h"

#include <algorithm>
#include <cstdint>

using namespace vela::lang;
using vela::io::DInputStreamPtr;
using vela::microedition::media::DManager;
using vela::microedition::media::DPlayer;
using vela::microedition::media::DPlayerArray;
using vela::microedition::media::DPlayerPtr;

namespace gamelib {

namespace {

struct SoundRow {
    const char16_t* name;
    int32_t kind;
    int32_t group;
};

// Group 3: game effects; 2: menu effects; 0: menu music; 1: game music.
const SoundRow GAME_SOUNDS[SoundManager::GAME_SOUND_COUNT] = {
    { u"snd/dec", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/inc", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/move", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/select", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/fun", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/no", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/victory", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/defeat", SoundManager::KIND_GAME_EFFECT, 3 },
    { u"snd/menu_move", SoundManager::KIND_OTHER, 2 },
    { u"snd/menu_select", SoundManager::KIND_OTHER, 2 },
    { u"snd/menu", SoundManager::KIND_OTHER, 0 },
    { u"snd/game1", SoundManager::KIND_OTHER, 1 },
    { u"snd/game2", SoundManager::KIND_OTHER, 1 },
    { u"snd/game3", SoundManager::KIND_OTHER, 1 },
};

struct SoundFormat {
    const char16_t* extension;
    const char16_t* contentType;
};

// In lookup order: a wave file wins over a module of the same name.
const SoundFormat SOUND_FORMATS[] = {
    { u".wav", u"audio/x-wav" },
    { u".mod", u"audio/mod" },
};

DStringPtr text(const char16_t* literal)
{
    return DStringPtr(new DString(literal));
}

// The member's size, or -1 when the archive does not hold it.
int64_t archiveMemberSize(const DStringPtr& name)
{
    return vela::io::archiveMemberSize(vela::io::D7zipInputStream::memberKey(name));
}

const SoundFormat* formatOf(const DStringPtr& path)
{
    for (const SoundFormat& format : SOUND_FORMATS)
        if (path->endsWith(text(format.extension)))
            return &format;
    return nullptr;
}

uint8_t clampVolume(int32_t volume)
{
    const int32_t highest = SoundManager::MAX_VOLUME;
    return uint8_t(volume < 0 ? 0 : volume > highest ? highest : volume);
}

// The first of name + ".wav" and name + ".mod" that the archive holds, with its size.
void findSoundFile(const DStringPtr& name, PlayerInfo& info)
{
    if (!name)
        return;
    for (const SoundFormat& format : SOUND_FORMATS) {
        DStringPtr candidate = name + format.extension;
        int64_t size = archiveMemberSize(candidate);
        if (size >= 0) {
            info.path = candidate;
            info.size = int32_t(std::min<int64_t>(size, INT32_MAX));
            return;
        }
    }
}

}

SoundManager::SoundManager() = default;
SoundManager::~SoundManager() = default;

void SoundManager::init(const DStringArrayPtr& names, const DintArrayPtr& kinds,
    const DintArrayPtr& groups, int32_t channelCount, bool onDemandLoading)
{
    if (onDemandLoading)
        budget = BUDGET_BYTES;
    if (!names || !kinds || !groups)
        throwException(NullPointerException);
    // Fewer groups than names would be read past their end.
    if (names->length() != kinds->length() || groups->length() < names->length())
        throwException(IllegalArgumentException);
    DManager::stopAll();
    onDemand = onDemandLoading;
    const int32_t count = names->length();
    infos = new PlayerInfoArray(count);
    players = new DPlayerArray(count);
    for (int32_t i = 0; i < count; ++i) {
        PlayerInfoPtr info(new PlayerInfo((*kinds)[i], (*groups)[i]));
        findSoundFile(names->get(i), *info);
        infos->set(i, info);
    }
    groupLimits = new DintArray(channelCount > 0 ? channelCount : 0);
    if (!onDemand)
        for (int32_t i = 0; i < count; ++i)
            createPlayer(i);
    enabled = true;
}

void SoundManager::initGameSounds()
{
    DStringArrayPtr names(new DStringArray(GAME_SOUND_COUNT));
    DintArrayPtr kinds(new DintArray(GAME_SOUND_COUNT));
    DintArrayPtr groups(new DintArray(GAME_SOUND_COUNT));
    for (int32_t i = 0; i < GAME_SOUND_COUNT; ++i) {
        names->set(i, text(GAME_SOUNDS[i].name));
        (*kinds)[i] = GAME_SOUNDS[i].kind;
        (*groups)[i] = GAME_SOUNDS[i].group;
    }
    init(names, kinds, groups, GAME_CHANNEL_COUNT, true);
}

bool SoundManager::hasIndex(int32_t index) const
{
    return infos && index >= 0 && index < infos->length();
}

bool SoundManager::isLoaded(int32_t index) const
{
    return hasIndex(index) && players->get(index);
}

int64_t SoundManager::loadedSize() const
{
    int64_t used = 0;
    for (int32_t i = 0; i < soundCount(); ++i)
        if (players->get(i))
            used += infos->get(i)->size;
    return used;
}

bool SoundManager::load(int32_t index)
{
    if (!onDemand)
        return createPlayer(index);
    if (!infos->get(index)->path)
        return false;   // nothing to load: evicting others would be for nothing
    const int64_t size = infos->get(index)->size;
    int64_t used = loadedSize();
    if (used + size > budget)
        used -= unload(used + size - budget);
    if (budget - used < size)
        return false;
    return createPlayer(index);
}

bool SoundManager::createPlayer(int32_t index)
{
    const DStringPtr path = infos->get(index)->path;
    if (!path)
        return false;
    const SoundFormat* format = formatOf(path);
    DInputStreamPtr stream = Resources::openResource(path);
    if (!format || !stream)
        return false;
    DPlayerPtr player = DManager::createPlayer(stream, text(format->contentType));
    // Damaged sound data: the sound is simply not played.
    if (!player || catchKind(MediaException, [&] { player->prefetch(); }))
        return false;
    players->set(index, player);
    return true;
}

int64_t SoundManager::unload(int64_t bytes)
{
    int64_t freed = 0;
    while (freed < bytes) {
        int32_t victim = -1;
        for (int32_t i = 0; i < soundCount(); ++i) {
            DPlayerPtr player = players->get(i);
            if (!player || player->isPlaying())
                continue;
            if (victim < 0) {
                victim = i;
                continue;
            }
            const PlayerInfo& candidate = *infos->get(i);
            const PlayerInfo& chosen = *infos->get(victim);
            if (candidate.lastPlayTime < chosen.lastPlayTime
                || (candidate.lastPlayTime == chosen.lastPlayTime && candidate.size > chosen.size))
                victim = i;
        }
        if (victim < 0)
            break;
        freed += infos->get(victim)->size;
        drop(victim);
    }
    return freed;
}

void SoundManager::drop(int32_t index)
{
    // A stopped module keeps its channel paused to resume it; nobody would, once dropped.
    players->get(index)->releaseChannel();
    players->set(index, nullptr);
}

DPlayerPtr SoundManager::play(int32_t index, bool loop, int32_t pan)
{
    if (!enabled || !hasIndex(index))
        return nullptr;
    PlayerInfoPtr info = infos->get(index);
    if (!ignoreGroupLimits) {
        const bool known = info->group >= 0 && info->group < groupLimits->length();
        if (!known || (*groupLimits)[info->group] < 1)
            return nullptr;
    }
    if (!players->get(index) && !load(index))
        return nullptr;
    DPlayerPtr started = players->get(index)->start();
    if (started) {
        started->setLoopCount(loop ? -1 : 1);
        started->setPan(pan);
    }
    info->lastPlayTime = DSystem::currentTimeMillis();
    return started;
}

DPlayerPtr SoundManager::play(int32_t index, int32_t pan)
{
    return play(index, false, pan);
}

bool SoundManager::matches(int32_t index, int32_t key, bool byGroup) const
{
    if (key == ALL_SOUNDS)
        return true;
    const PlayerInfo& info = *infos->get(index);
    return (byGroup ? info.group : info.kind) == key;
}

void SoundManager::stop(int32_t key, bool byGroup)
{
    for (int32_t i = 0; i < soundCount(); ++i)
        if (players->get(i) && matches(i, key, byGroup))
            DManager::stopPlayersSharingSource(players->get(i));
}

void SoundManager::stopSound(int32_t index)
{
    if (isLoaded(index))
        DManager::stopPlayersSharingSource(players->get(index));
}

bool SoundManager::isPlaying(int32_t index)
{
    return isLoaded(index) && players->get(index)->isPlaying();
}

void SoundManager::setSoundVolume(int32_t volume)
{
    soundVolume = clampVolume(volume);
    DManager::setMasterSoundLevel(soundVolume);
}

void SoundManager::setMusicVolume(int32_t volume)
{
    musicVolume = clampVolume(volume);
    DManager::setMasterMusicLevel(musicVolume);
}

int32_t SoundManager::getSoundVolume()
{
    return DManager::getMasterSoundLevel();
}

int32_t SoundManager::getMusicVolume()
{
    return DManager::getMasterMusicLevel();
}

void SoundManager::release()
{
    DManager::stopAll();
    for (int32_t i = 0; i < soundCount(); ++i)
        if (DPlayerPtr player = players->get(i))
            player->close();
    infos = nullptr;
    players = nullptr;
}

} // namespace gamelib
