// The game's sound control: the sound table, on-demand loading within a budget, volumes.
#pragma once

#include <cstdint>

#include "gamelib/SoundManager.ptr"
#include "lang/DArray.h"
#include "lang/DString.h"
#include "microedition/media/DPlayerArray.h"

// One row of the sound table.

namespace gamelib {

class PlayerInfo : public vela::lang::DObject {
public:
    PlayerInfo(int32_t kind, int32_t group) : kind(kind), group(group) { }

    int32_t kind;
    int32_t group;
    // The archive member (name + ".wav" or + ".mod"), or null when the sound has no file.
    vela::lang::DStringPtr path;
    int64_t lastPlayTime = 0;
    // Counts against the budget while the sound is loaded.
    int32_t size = 0;
};

class PlayerInfoArray : public vela::lang::DObjectArrayOf<PlayerInfo> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

class SoundManager : public vela::lang::DObject {
public:
    // The game's sounds by index, as the game and the GUI address them.
    enum GameSound : int32_t {
        SOUND_DEC, SOUND_INC, SOUND_MOVE, SOUND_SELECT, SOUND_FUN, SOUND_NO, SOUND_VICTORY,
        SOUND_DEFEAT, SOUND_MENU_MOVE, SOUND_MENU_SELECT, SOUND_MENU_MUSIC, SOUND_GAME_MUSIC_1,
        SOUND_GAME_MUSIC_2, SOUND_GAME_MUSIC_3, GAME_SOUND_COUNT
    };
    enum : int32_t {
        BUDGET_BYTES = 512000,
        MAX_VOLUME = 64,
        GAME_CHANNEL_COUNT = 4,
        // The kinds of the game's table.
        KIND_OTHER = 0,
        KIND_GAME_EFFECT = 1,
        // `stop` with this key stops every loaded sound.
        ALL_SOUNDS = -1,
    };

    SoundManager();
    ~SoundManager() override;

    // Builds the table, finding each name + ".wav", else + ".mod", in the resource archive.
    // Names and kinds of different lengths (or fewer groups than names) throw
    // IllegalArgumentException; a null list NullPointerException.
    void init(const vela::lang::DStringArrayPtr& names, const vela::lang::DintArrayPtr& kinds,
        const vela::lang::DintArrayPtr& groups, int32_t channelCount, bool onDemand);
    // The game's own table of GAME_SOUND_COUNT sounds, loaded on demand.
    void initGameSounds();

    // The started player (a clone when the sound is already playing), or null when sound is
    // off, the index is unknown, the sound has no file or does not fit the budget.
    vela::microedition::media::DPlayerPtr play(int32_t index, bool loop, int32_t pan);
    vela::microedition::media::DPlayerPtr play(int32_t index, int32_t pan);
    // Stops the loaded sounds whose group (byGroup) or kind equals key; ALL_SOUNDS stops all.
    void stop(int32_t key, bool byGroup);
    void stopSound(int32_t index);
    bool isPlaying(int32_t index);

    // Clamped to 0..MAX_VOLUME, kept, and made the media layer's master level.
    void setSoundVolume(int32_t volume);
    void setMusicVolume(int32_t volume);
    // The media layer's current master levels.
    int32_t getSoundVolume();
    int32_t getMusicVolume();

    // Stops everything, closes the loaded players and empties the table.
    void release();

    int32_t soundCount() const { return infos ? infos->length() : 0; }
    bool isLoaded(int32_t index) const;
    // The total size of the loaded sounds.
    int64_t loadedSize() const;

    bool enabled = false;
    uint8_t soundVolume = 0;
    uint8_t musicVolume = 0;
    bool onDemand = false;
    int32_t budget = BUDGET_BYTES;
    // While set, the group limits are not checked.
    bool ignoreGroupLimits = true;
    PlayerInfoArrayPtr infos;
    vela::microedition::media::DPlayerArrayPtr players;
    // A group whose limit is below 1 plays nothing (unless ignoreGroupLimits).
    vela::lang::DintArrayPtr groupLimits;

private:
    bool hasIndex(int32_t index) const;
    bool load(int32_t index);
    bool createPlayer(int32_t index);
    int64_t unload(int64_t bytes);
    void drop(int32_t index);
    bool matches(int32_t index, int32_t key, bool byGroup) const;
};

} // namespace gamelib
