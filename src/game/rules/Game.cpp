// The game object's life: creation, screen geometry and the board built from a level.
#include "game/rules/Game.h"

namespace tintrow {

Game::Game(GameHost& gameHost)
    : host(gameHost), random(new vela::util::DRandom(gameHost.currentTimeMillis()))
{
}

Game::~Game() = default;

void Game::setScreenGeometry(int32_t screenW, int32_t screenH, int32_t tileSize)
{
    screenWidth = screenW;
    screenHeight = screenH;
    cellSize = tileSize;
    boardPixelWidth = cellSize * width;
    boardPixelHeight = cellSize * height;
    originX = (screenWidth - boardPixelWidth) >> 1;
    originY = ((screenHeight - boardPixelHeight) >> 1) + 4;
}

void Game::cellUnderPoint(int32_t px, int32_t py, int32_t& x, int32_t& y) const
{
    x = (px - originX) / cellSize;
    y = (py - originY) / cellSize;
}

void Game::buildBoard(const LevelFile& level)
{
    CellArray2dPtr rows = new CellArray2d(level.height, level.width);
    std::vector<Cell*> order;
    order.reserve(level.kinds.size());
    for (int32_t y = 0; y < level.height; ++y) {
        for (int32_t x = 0; x < level.width; ++x) {
            CellPtr cell = new Cell();
            cell->kind = level.kinds[static_cast<size_t>(y) * level.width + x];
            cell->recordState(STATE_NEUTRAL);
            cell->x = x;
            cell->y = y;
            rows[y][x] = cell;
            order.push_back(cell.get());
        }
    }
    board = rows;
    cells.swap(order);
    width = level.width;
    height = level.height;
    gameType = level.gameType;
    goal = arcadeMode ? GOAL_NONE : level.goal;
    colourCount = level.colourCount;
    nextCount = level.nextCount;
    timeLimit = level.timeLimit;
    bonusPerPoint = level.bonusPerPoint;
    lineLength = level.lineLength;
    pointsToWin = level.pointsToWin;
    particleInterval = level.particleInterval;
    setScreenGeometry(screenWidth, screenHeight, cellSize);
}

} // namespace tintrow
