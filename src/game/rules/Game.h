// The game object: board, moves, groups, the turn cycle, levels, modes and what is stored.
#pragma once

#include <cstdint>
#include <vector>

#include "game/rules/Cell.h"
#include "game/rules/CellArray.h"
#include "game/rules/CellArray2d.h"
#include "game/rules/Game.ptr"
#include "game/rules/GameHost.h"
#include "game/rules/LevelFile.h"
#include "lang/DObject.h"
#include "lang/DArray.h"
#include "util/DRandom.h"

namespace tintrow {

enum TurnState : int32_t {
    TURN_PLAYER = 0,
    TURN_SPAWNING = 1,
    TURN_REMOVING = 2,
    TURN_TRAVELLING = 3,
    TURN_GAME_OVER = 4,
    TURN_LEVEL_START = 5,
    TURN_LEVEL_COMPLETE = 6,
    TURN_LAST_LEVEL_COMPLETE = 7,
};

enum GameType : int32_t { TYPE_LINES = 0, TYPE_BLOCKS = 1 };
enum Goal : int32_t { GOAL_NONE = 0, GOAL_TIME = 1, GOAL_SCORE = 2 };

// Sound numbers of the game's sound table that the rules play.
enum RuleSound : int32_t {
    SOUND_DEC = 0,
    SOUND_INC = 1,
    SOUND_MOVE = 2,
    SOUND_SELECT = 3,
    SOUND_FUN = 4,
    SOUND_NO = 5,
    SOUND_VICTORY = 6,
    SOUND_DEFEAT = 7,
};

// A node of the breadth-first path search; directions 0 left, 1 up, 2 right, 3 down.
struct PathNode {
    PathNode* parent = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t depth = 0;
    int32_t openCount = 0;
    int32_t open[4] = {0, 0, 0, 0};
    int32_t index = -1;
};

class Game : public vela::lang::DObject {
public:
    explicit Game(GameHost& host);
    ~Game() override;

    // Screen facts the geometry needs; the game screen sets them from its tile and screen.
    void setScreenGeometry(int32_t screenWidth, int32_t screenHeight, int32_t tileSize);

    // Board and cells.
    Cell& cellAt(int32_t x, int32_t y);
    // The cell under a screen point; division truncates, so points just left of or above
    // the board still give column or row 0.
    void cellUnderPoint(int32_t px, int32_t py, int32_t& x, int32_t& y) const;
    bool findFirstOfKind(int32_t startX, int32_t startY, int32_t kind, int32_t& foundX,
                         int32_t& foundY);
    int32_t randomColour();
    bool placeAtRandomFreeCell(Cell& nextCell);

    // Moves.
    void choose(int32_t x, int32_t y);
    bool findPath(int32_t tx, int32_t ty);
    int32_t panForColumn(int32_t column) const;

    // Groups.
    bool detectAt(int32_t x, int32_t y);
    bool detectAll();
    bool updateMoods();

    // Levels and the turn cycle.
    int32_t countLevels();
    void setupLevel(int32_t n);
    void setTurnState(int32_t s);
    void tick();
    void resume();

    // Steps of the menus' game starts; each leaves the level start done, tips pending.
    void startNewGame(int32_t level, bool arcade);
    void restartLevel();
    // Continues the progress mode: the saved game when it loads (true), else a fresh game on
    // the highest unlocked level (false).
    bool continueProgress();
    // Leaves level-complete for the next level, as a key press there does.
    void advanceLevel();
    // Play begins on the game screen: the time bases restart.
    void startPlay();
    // The game-side part of opening the in-game menu; false when no game is being played.
    bool pauseGame();

    // Stores.
    void saveGame();
    bool loadGame();
    bool hasSavedGame();
    void deleteSavedGame();
    void saveSettings();
    void loadSettings();

    GameHost& host;

    // Board.
    int32_t width = 0;
    int32_t height = 0;
    CellArray2dPtr board;
    int32_t cellSize = 16;
    int32_t screenWidth = 240;
    int32_t screenHeight = 320;
    int32_t boardPixelWidth = 0;
    int32_t boardPixelHeight = 0;
    int32_t originX = 0;
    int32_t originY = 0;

    // Moves.
    int32_t selectedX = -1;
    int32_t selectedY = -1;
    int32_t targetX = -1;
    int32_t targetY = -1;
    std::vector<PathNode> nodes;
    int32_t nodeCount = 0;
    int32_t nodeCapacity = 0;
    int32_t foundNode = -1;
    vela::lang::DintArrayPtr path;
    int32_t pathStep = 0;
    int32_t travelX = 0;
    int32_t travelY = 0;
    int32_t travelAnimation = 0;
    bool moveSound = false;

    // Groups and scoring.
    int32_t gameType = 0;
    int32_t lineLength = 0;
    int32_t score = 0;
    int32_t goal = 0;
    int64_t timeBank = 0;
    int32_t bonusPerPoint = 0;

    // Turn cycle, levels and modes.
    int32_t turnState = TURN_GAME_OVER;
    int32_t previousTurnState = TURN_GAME_OVER;
    int32_t selectedLevel = 0;
    int32_t levelCount = 0;
    int32_t highestLevel = 0;
    bool arcadeMode = false;
    bool gamePaused = false;
    int32_t colourCount = 0;
    int32_t nextCount = 0;
    int64_t timeLimit = 0;
    int64_t timeBase = 0;
    int32_t pointsToWin = 0;
    int32_t levelStartScore = 0;
    int32_t particleInterval = 0;
    CellArrayPtr nextBalls;
    vela::util::DRandomPtr random;

    // Keyboard cursor; kept here because the saved game holds it.
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    bool cursorVisible = true;
    int64_t lastCursorMove = 0;
    int32_t bob = 0;
    int32_t bobSpeed = 0x6000;

private:
    void buildBoard(const LevelFile& level);
    void announceNextBalls();
    void enterPlayerTurn();
    void enterSpawning();
    void enterGameOver();
    void enterLevelComplete(int32_t s);
    void startTravel();
    void travelTick();
    void arrive();
    void putTravellerOnTarget();
    void endSpawning();
    void endRemoval();
    bool lastBallInStateHasPlayed(int32_t state);
    void checkGoal();
    void finishAnimationsForPause();
    bool collectOpen(PathNode& node);
    bool detectLinesAt(int32_t x, int32_t y);
    bool detectBlockAt(int32_t x, int32_t y);
    bool detectAllLines();
    void addPoints(int32_t points);
    void exciteBall(Cell& cell, bool& newlyExcited);
    void updateLineMoods(Cell& cell, bool& newlyExcited);
    void updateBlockMoods(Cell& cell, bool& newlyExcited);
    Cell* cellOrNull(int32_t x, int32_t y);

    // Row-order view of the board's cells, rebuilt with the board, for the hot loops.
    std::vector<Cell*> cells;
    // Scratch of the path search and the line scan, kept between calls.
    std::vector<int32_t> nodeAt;
    std::vector<int32_t> scratch;
};

} // namespace tintrow
