// What the game screen asks of the screen flow around it: pausing, the end of a game, the
// level tips, the in-game menu and the sound control.
#pragma once

#include "gamelib/SoundManager.h"

namespace tintrow {

class GameScreenHost {
public:
    virtual ~GameScreenHost() = default;

    // Leaves play for the in-game menu; sounds keep playing unless stopSounds.
    virtual void pause(bool stopSounds) = 0;
    // A finished game (game over or the last level won) was acknowledged by the player: the
    // name entry when the score makes the table, else the menu.
    virtual void gameFinished() = 0;
    // The tips screen before a level; its start action begins play on the game screen.
    virtual void showLevelTips() = 0;
    // The in-game menu shows "continue" and "restart" only while a game is paused.
    virtual void refreshInGameMenu() = 0;
    virtual gamelib::SoundManager& soundManager() = 0;
};

} // namespace tintrow
