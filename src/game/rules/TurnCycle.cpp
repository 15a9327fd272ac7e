// The turn cycle: level set-up, the entry actions and ticks of every turn state, goals.
#include "game/rules/Game.h"

#include <algorithm>

namespace tintrow {

void Game::setupLevel(int32_t n)
{
    // Everything is read and checked before the game changes.
    LevelFile level = LevelFile::parse(host.readLevel(n));
    buildBoard(level);
    levelStartScore = score;
    // A selection or target never outlives its board.
    selectedX = selectedY = targetX = targetY = -1;
    findFirstOfKind(0, 0, KIND_FLOOR, cursorX, cursorY);
    bob = 0;
    bobSpeed = 0x6000;

    CellPtr startingBall = new Cell();
    startingBall->kind = KIND_BALL;
    for (int32_t k = 0; k < 5; ++k) {
        startingBall->colour = randomColour();
        placeAtRandomFreeCell(*startingBall);
    }

    nextBalls = new CellArray(nextCount);
    for (int32_t i = 0; i < nextCount; ++i)
        nextBalls[i] = new Cell();
    announceNextBalls();
    host.drawLevelBackground();
}

void Game::announceNextBalls()
{
    for (int32_t i = 0; i < nextCount; ++i) {
        Cell& next = *nextBalls[i];
        next.kind = KIND_FLOOR;
        next.colour = randomColour();
        next.recordState(STATE_PREVIEW);
        placeAtRandomFreeCell(next);
    }
}

void Game::setTurnState(int32_t s)
{
    previousTurnState = turnState;
    turnState = s;
    switch (s) {
    case TURN_PLAYER:
        enterPlayerTurn();
        break;
    case TURN_SPAWNING:
        enterSpawning();
        break;
    case TURN_REMOVING:
        host.playSound(SOUND_DEC, 0, false);
        break;
    case TURN_TRAVELLING:
        startTravel();
        break;
    case TURN_GAME_OVER:
        enterGameOver();
        break;
    case TURN_LEVEL_START:
        host.restartTimeIndicator();
        timeBase = lastCursorMove = host.currentTimeMillis();
        timeBank = timeLimit >> 1;
        setTurnState(TURN_PLAYER);
        host.clearParticles();
        host.showLevelTips();
        break;
    case TURN_LEVEL_COMPLETE:
    case TURN_LAST_LEVEL_COMPLETE:
        enterLevelComplete(s);
        break;
    default:
        break;
    }
}

void Game::enterPlayerTurn()
{
    // Animations cost no time: the bank drains from the moment the player may act.
    timeBase = host.currentTimeMillis();
    int32_t floors = 0;
    int32_t previews = 0;
    int32_t balls = 0;
    for (Cell* cell : cells) {
        if (cell->isBall()) {
            ++balls;
            if (cell->state < STATE_SELECTED)
                cell->setState(STATE_NEUTRAL);
        }
        if (cell->kind == KIND_FLOOR) {
            ++floors;
            if (cell->state == STATE_PREVIEW)
                ++previews;
        }
    }
    if (previews < nextCount) {
        for (int32_t i = 0; i < nextCount; ++i) {
            Cell& next = *nextBalls[i];
            if (cellAt(next.x, next.y).state == STATE_PREVIEW)
                continue;
            next.kind = KIND_FLOOR;
            next.recordState(STATE_PREVIEW);
            placeAtRandomFreeCell(next);
        }
    }
    if (updateMoods())
        host.playSound(SOUND_FUN, 0, false);
    if (floors == 0)
        setTurnState(TURN_GAME_OVER);
    // A board cleared to its announced balls offers no move; they grow in at once.
    else if (balls == 0)
        setTurnState(TURN_SPAWNING);
}

void Game::enterSpawning()
{
    Cell* displaced = nullptr;
    for (int32_t i = 0; i < nextCount; ++i) {
        Cell& next = *nextBalls[i];
        Cell& cell = cellAt(next.x, next.y);
        if (cell.state != STATE_PREVIEW) {
            displaced = &next;
            continue;
        }
        cell.kind = KIND_BALL;
        cell.previousState = STATE_PREVIEW;
        cell.setState(STATE_APPEARING);
    }
    // Only the last ball whose preview was taken by the moving ball grows in elsewhere.
    if (displaced) {
        displaced->recordState(STATE_APPEARING);
        displaced->kind = KIND_BALL;
        placeAtRandomFreeCell(*displaced);
    }
    host.playSound(SOUND_INC, 0, false);
}

void Game::enterGameOver()
{
    gamePaused = false;
    host.playSound(SOUND_DEFEAT, 0, false);
    host.resetActions();
    if (!arcadeMode)
        deleteSavedGame();
    host.refreshInGameMenu();
}

void Game::enterLevelComplete(int32_t s)
{
    host.playSound(SOUND_VICTORY, 0, false);
    host.resetActions();
    if (selectedLevel > highestLevel) {
        highestLevel = std::min(selectedLevel, levelCount - 1);
        saveSettings();
    }
    if (s == TURN_LAST_LEVEL_COMPLETE) {
        gamePaused = false;
        host.refreshInGameMenu();
    }
}

void Game::tick()
{
    switch (turnState) {
    case TURN_PLAYER: {
        bob += bobSpeed;
        int32_t lift = bob >> 16;
        if ((lift < 0 ? -lift : lift) > (cellSize >> 3))
            bobSpeed = -bobSpeed;
        if (goal == GOAL_TIME) {
            int64_t now = host.currentTimeMillis();
            timeBank -= now - timeBase;
            timeBase = now;
            if (timeBank <= 0)
                setTurnState(TURN_GAME_OVER);
        }
        break;
    }
    case TURN_SPAWNING:
        if (lastBallInStateHasPlayed(STATE_APPEARING))
            endSpawning();
        break;
    case TURN_REMOVING:
        if (lastBallInStateHasPlayed(STATE_VANISHING))
            endRemoval();
        break;
    case TURN_TRAVELLING:
        travelTick();
        break;
    default:
        break;
    }
}

// The cycle waits on the last animated ball in row order; with none left there is nothing
// to wait for, and waiting would hang the game.
bool Game::lastBallInStateHasPlayed(int32_t state)
{
    for (auto it = cells.rbegin(); it != cells.rend(); ++it)
        if ((*it)->isBall() && (*it)->state == state)
            return (*it)->loops > 0;
    return true;
}

void Game::endSpawning()
{
    for (Cell* cell : cells)
        if (cell->state == STATE_APPEARING)
            cell->recordState(STATE_NEUTRAL);
    if (detectAll()) {
        setTurnState(TURN_REMOVING);
        return;
    }
    announceNextBalls();
    setTurnState(TURN_PLAYER);
}

void Game::endRemoval()
{
    for (Cell* cell : cells) {
        if (!cell->isBall() || cell->state != STATE_VANISHING)
            continue;
        cell->previousState = STATE_VANISHING;
        cell->setState(STATE_NEUTRAL);
        cell->setKind(KIND_FLOOR);
        if (cell->x == selectedX && cell->y == selectedY)
            selectedX = selectedY = -1;
    }
    if (previousTurnState == TURN_SPAWNING)
        announceNextBalls();
    setTurnState(TURN_PLAYER);
    checkGoal();
}

void Game::checkGoal()
{
    if (arcadeMode)
        return;
    // The score wraps at 32 bits, so its gain since the level start wraps too.
    int32_t gained = static_cast<int32_t>(static_cast<uint32_t>(score)
                                          - static_cast<uint32_t>(levelStartScore));
    bool won = (goal == GOAL_TIME && timeBank > timeLimit)
        || (goal == GOAL_SCORE && gained >= pointsToWin);
    if (!won)
        return;
    timeBank = timeLimit;
    ++selectedLevel;
    setTurnState(selectedLevel < levelCount ? TURN_LEVEL_COMPLETE : TURN_LAST_LEVEL_COMPLETE);
}

void Game::resume()
{
    timeBase = host.currentTimeMillis();
    host.restartTimeIndicator();
    host.clearParticles();
    // A finished game or level keeps its message until a key is pressed.
    if (turnState == TURN_GAME_OVER || turnState == TURN_LEVEL_COMPLETE
        || turnState == TURN_LAST_LEVEL_COMPLETE)
        return;
    if (detectAll())
        setTurnState(TURN_REMOVING);
    else
        setTurnState(turnState == TURN_TRAVELLING ? TURN_SPAWNING : TURN_PLAYER);
}

} // namespace tintrow
