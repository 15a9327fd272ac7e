// The whole game run in-process on the real data: a window-less display, a hand-driven clock,
// keys and taps delivered between passes of the main loop, and a data folder of its own.
#pragma once

#include <cstdint>
#include <string>

#include "game/ScreenFlow.h"
#include "gamelib/GameLibTestSupport.h"
#include "guilib/GUIWidget.h"

namespace tintrow::testing {

class PlayedGame : public AppTest {
protected:
    PlayedGame(int width = 240, int height = 320);
    ~PlayedGame() override;

    // Starts the application (logo, title, start-up) as the shell does.
    void start();
    // Ends it as closing the window does, and starts it again on the same data folder.
    void restart();

    // Passes of the main loop, one 42 ms tick each.
    void run(int ticks = 1);
    void runFor(int millis) { run(millis / 42 + 1); }
    // A key pressed and released, with the ticks to see both and a little more.
    void key(int32_t code);
    void keys(std::initializer_list<int32_t> codes);
    void tap(int32_t x, int32_t y);

    ScreenFlow& flow();
    Game& rules() { return flow().rules(); }
    guilib::GUIWidgetPtr topScreen();
    // The texts shown on the top screen, in tree order, each as its key (or its markup when it
    // has none) and a "|".
    std::string topTexts();
    // Record `id` of one of the game's stores, "" when there is none.
    std::string storeRecord(const std::string& store, int id = 1) const;
    // The program's folder, where the language choice is kept.
    const std::string& programFolder() const { return resources.folder(); }

    // Key codes of the keyboard as the host delivers them.
    enum : int32_t {
        KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40,
        KEY_SOFT_LEFT = 10000, KEY_SOFT_RIGHT = 10001, KEY_FIRE = 10002,
    };
};

} // namespace tintrow::testing
