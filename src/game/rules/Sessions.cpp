// Starting, restarting, continuing and pausing games: the steps the menus take on the rules.
#include "game/rules/Game.h"

namespace tintrow {

int32_t Game::countLevels()
{
    levelCount = 0;
    while (host.readLevel(levelCount))
        ++levelCount;
    return levelCount;
}

void Game::startNewGame(int32_t level, bool arcade)
{
    arcadeMode = arcade;
    score = 0;
    levelStartScore = 0;
    selectedLevel = level;
    setupLevel(level);
    setTurnState(TURN_LEVEL_START);
}

void Game::restartLevel()
{
    score = levelStartScore;
    setupLevel(selectedLevel);
    setTurnState(TURN_LEVEL_START);
}

bool Game::continueProgress()
{
    arcadeMode = false;
    if (loadGame()) {
        resume();
        return true;
    }
    score = 0;
    levelStartScore = 0;
    selectedLevel = highestLevel;
    setupLevel(selectedLevel);
    setTurnState(TURN_LEVEL_START);
    return false;
}

void Game::advanceLevel()
{
    setupLevel(selectedLevel);
    host.resetActions();
    setTurnState(TURN_LEVEL_START);
}

void Game::startPlay()
{
    timeBase = lastCursorMove = host.currentTimeMillis();
}

bool Game::pauseGame()
{
    if (gamePaused || turnState >= TURN_GAME_OVER)
        return false;
    gamePaused = true;
    finishAnimationsForPause();
    if (arcadeMode)
        return true;
    // A game or level that the pause brought to its end is not continued from a save.
    if (turnState == TURN_GAME_OVER || turnState == TURN_LEVEL_COMPLETE
        || turnState == TURN_LAST_LEVEL_COMPLETE)
        deleteSavedGame();
    else
        saveGame();
    return true;
}

// Everything in motion finishes now, including the removal a finished spawn starts, so that
// the saved board holds no marked balls and resuming never scores a group twice.
void Game::finishAnimationsForPause()
{
    for (;;) {
        if (turnState == TURN_SPAWNING)
            endSpawning();
        else if (turnState == TURN_REMOVING)
            endRemoval();
        else
            break;
    }
    if (turnState == TURN_TRAVELLING)
        putTravellerOnTarget();
}

} // namespace tintrow
