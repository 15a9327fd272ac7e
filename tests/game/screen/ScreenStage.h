// A game screen on the real game data, without a window, driven tick by tick on a fake clock.
#pragma once

#include <cstdint>
#include <string>

#include "game/GameFixture.h"
#include "game/GameScreen.h"
#include "gamelib/GameLibTestSupport.h"
#include "microedition/lcdui/DDisplay.h"

namespace tintrow::testing {

class ScreenStage : public GameScreenHost {
public:
    // Opens the built game.dat for a screen of w x h; `sound` plays into memory.
    ScreenStage(int32_t w, int32_t h, bool sound = false);
    ~ScreenStage() override;

    // A level file of the test's own beside the game's data (the shipped levels change with the
    // content); index it past the shipped ones.
    void writeLevel(int32_t index, const LevelDesign& design);
    // A progress game on `level`, played at once; the seed fixes the board.
    void startLevel(int32_t level, int64_t seed = 7);
    // One scheduler tick: the clock moves on 42 ms, one key event is taken, the screen ticks.
    void tick();
    // Paints into the canvas and shows it; the picture is then in window.screen().
    void paint();
    GameScreen& screen() { return *gameScreen; }
    Game& rules() { return gameScreen->rules(); }

    void pause(bool) override { ++pauses; }
    void gameFinished() override { ++finished; }
    void showLevelTips() override { ++tips; }
    void refreshInGameMenu() override { }
    gamelib::SoundManager& soundManager() override { return *sounds; }

    FakeClock clock{1000};
    int32_t pauses = 0, finished = 0, tips = 0;
    support::FakeWindow window;

private:
    TestResources resources; // the program folder: a link to the built game.dat and the test's levels
    vela::microedition::lcdui::DDisplayPtr display;
    gamelib::SoundManagerPtr sounds;
    GameScreenPtr gameScreen;
};

} // namespace tintrow::testing
