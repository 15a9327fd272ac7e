// Test support: a recording host, hand-made level files and a game on them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/Game.h"

namespace tintrow::testing {

// A level as the file stores it; `rows` uses '#' for holes and anything else for floor.
struct LevelDesign {
    int8_t gameType = 0;
    int8_t goal = 0;
    int8_t colourCount = 5;
    int8_t nextCount = 3;
    int32_t timeLimit = 60000;
    int32_t bonusPerPoint = 200;
    int8_t lineLength = 5;
    int16_t pointsToWin = 100;
    int32_t particleRate = 1000;
    std::vector<std::string> rows = std::vector<std::string>(9, std::string(9, '.'));

    std::vector<uint8_t> bytes() const;
};

struct PlayedSound {
    int32_t index;
    int32_t pan;
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
    void setVolumes(int32_t first, int32_t second) override
    {
        volumes = {first, second};
    }
    vela::lang::DbyteArrayPtr readLevel(int32_t index) override;
    void drawLevelBackground() override { ++backgrounds; }
    void restartTimeIndicator() override { }
    void clearParticles() override { }
    void resetActions() override { }
    void refreshInGameMenu() override { ++menuRefreshes; }
    void showLevelTips() override { ++tips; }

    std::vector<int32_t> soundNumbers() const;

    int64_t clock = 0;
    std::map<int32_t, std::vector<uint8_t>> levels;
    std::vector<PlayedSound> sounds;
    std::vector<int32_t> stopped;
    std::vector<int32_t> volumes;
    int32_t backgrounds = 0;
    int32_t menuRefreshes = 0;
    int32_t tips = 0;
};

// A temporary data folder for record stores, removed afterwards.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();
    std::string path;

private:
    std::string previous;
    bool hadPrevious = false;
};

// Clears the board to floor/holes of the current level (no balls, no previews) so that a test
// can lay out exactly the balls it needs.
void clearBoard(Game& game);
// Puts a resting ball of `colour` at (x, y).
void putBall(Game& game, int32_t x, int32_t y, int32_t colour);
// Balls from a picture: digits are colours, '.' floor, '#' hole.
void layBoard(Game& game, const std::vector<std::string>& rows);

} // namespace tintrow::testing

namespace tintrow::testing {

// A game on `design` as level 0 (more levels when given), started as the menus start one.
GamePtr startGame(RecordingHost& host, const LevelDesign& design, bool arcade = false,
                  int32_t levelCount = 1);
// How many board cells are in display state `state`.
int32_t countState(Game& game, int32_t state);

} // namespace tintrow::testing
