// Small operations on the board: cell access, searches and random placement.
#include "game/rules/Game.h"

#include <cstdlib>

namespace tintrow {

Cell& Game::cellAt(int32_t x, int32_t y)
{
    if (!board)
        vela::lang::throwArrayIndex();
    return *board[y][x];
}

Cell* Game::cellOrNull(int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return nullptr;
    return cells[static_cast<size_t>(y) * width + x];
}

bool Game::findFirstOfKind(int32_t startX, int32_t startY, int32_t kind, int32_t& foundX,
                           int32_t& foundY)
{
    for (int32_t y = startY; y < height; ++y) {
        for (int32_t x = startX; x < width; ++x) {
            if (cellAt(x, y).kind == kind) {
                foundX = x;
                foundY = y;
                return true;
            }
        }
    }
    return false;
}

int32_t Game::randomColour()
{
    return std::abs(random->nextInt() % colourCount);
}

bool Game::placeAtRandomFreeCell(Cell& nextCell)
{
    int32_t x = std::abs(random->nextInt() % width);
    int32_t y = std::abs(random->nextInt() % height);
    for (int32_t visited = 0; visited < width * height; ++visited) {
        Cell& cell = *cells[static_cast<size_t>(y) * width + x];
        if (cell.kind == KIND_FLOOR && cell.state != STATE_PREVIEW) {
            cell.setKind(nextCell.kind);
            cell.recordState(nextCell.state);
            cell.colour = nextCell.colour;
            nextCell.x = x;
            nextCell.y = y;
            return true;
        }
        if (++x == width) {
            x = 0;
            if (++y == height)
                y = 0;
        }
    }
    return false;
}

int32_t Game::panForColumn(int32_t column) const
{
    return ((column - (width >> 1)) * 128) / width;
}

} // namespace tintrow
