// Test support: a recording host, hand-made level files, board pictures and a game on them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/rules/Game.h"
#include "lang/DArray.h"

namespace tintrow::testing {

// A level as the file stores it; `rows` uses '#' for holes and anything else for floor.
struct LevelDesign {
    int8_t gameType = 0, goal = 0, colourCount = 5, nextCount = 3;
    int32_t timeLimit = 60000, bonusPerPoint = 200;
    int8_t lineLength = 5;
    int16_t pointsToWin = 100;
    int32_t particleRate = 1000;
    std::vector<std::string> rows = std::vector<std::string>(9, std::string(9, '.'));

    std::vector<uint8_t> bytes() const;
};

struct PlayedSound {
    int32_t index, pan;
    bool loop;
    bool operator==(const PlayedSound& o) const
    {
        return index == o.index && pan == o.pan && loop == o.loop;
    }
};

class RecordingHost : public GameHost {
public:
    int64_t currentTimeMillis() override { return clock; }
    void playSound(int32_t index, int32_t pan, bool loop) override
    {
        sounds.push_back({index, pan, loop});
    }
    void setSoundPan(int32_t, int32_t) override { }
    void stopSound(int32_t index) override { stopped.push_back(index); }
    int32_t volume(int32_t which) override { return which == 0 ? 30 : 20; }
    void setVolumes(int32_t first, int32_t second) override { volumes = {first, second}; }
    vela::lang::DbyteArrayPtr readLevel(int32_t index) override;
    void drawLevelBackground() override { ++backgrounds; }
    void restartTimeIndicator() override { }
    void clearParticles() override { }
    void resetActions() override { }
    void refreshInGameMenu() override { }
    void showLevelTips() override { }

    int64_t clock = 0;
    std::map<int32_t, std::vector<uint8_t>> levels;
    std::vector<PlayedSound> sounds;
    std::vector<int32_t> stopped, volumes;
    int32_t backgrounds = 0;
};

// Record stores under the game's own name, in the test's data folder.
void useGameStores();

// A game on `design` as level 0 (and every level below `levelCount`), started as the menus do.
GamePtr startGame(RecordingHost& host, const LevelDesign& design, bool arcade = false,
                  int32_t levelCount = 1);
// Lays out the board from a picture, rows separated by '/': digits are resting balls of that
// colour, 'a' to 'e' previews of colours 0 to 4 (announced as the next balls in row order),
// '#' holes, anything else floor. Cells the picture leaves out become empty floor or holes.
void layBoard(Game& game, const std::string& picture);
void putBall(Game& game, int32_t x, int32_t y, int32_t colour);
int32_t countState(Game& game, int32_t state);

// One way of spoiling stored bytes: overwrite one byte, then keep only the first `keep` bytes
// (-1 keeps all of them).
struct Damage {
    const char* name;
    size_t offset;
    uint8_t value;
    int32_t keep;
    std::vector<uint8_t> applyTo(std::vector<uint8_t> bytes) const
    {
        bytes[offset] = value;
        if (keep >= 0)
            bytes.resize(size_t(keep));
        return bytes;
    }
};

} // namespace tintrow::testing
