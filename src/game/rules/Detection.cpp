// Groups of one colour: lines and blocks that vanish and score, the time bonus, and moods.
#include "game/rules/Game.h"

#include <algorithm>

namespace tintrow {

// The four line directions, each looking away from the cells a row-order pass has seen.
struct LineDirection {
    int32_t dx;
    int32_t dy;
};
static const LineDirection LINE_DIRECTIONS[4] = {{1, 0}, {0, 1}, {-1, 1}, {1, 1}};

// Whether a line of `length` from (x, y) in this direction could fit on the board at all.
static bool fits(const LineDirection& d, int32_t x, int32_t y, int32_t length, int32_t width,
                 int32_t height)
{
    int32_t reach = length - 1;
    if (d.dx > 0 && x + reach >= width)
        return false;
    if (d.dx < 0 && x - reach < 0)
        return false;
    return d.dy == 0 || y + reach < height;
}

static int32_t wrappedAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

static int32_t wrappedMul(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

void Game::addPoints(int32_t points)
{
    score = wrappedAdd(score, points);
    if (goal == GOAL_TIME)
        timeBank += wrappedMul(points, bonusPerPoint);
}

bool Game::detectAt(int32_t x, int32_t y)
{
    if (gameType == TYPE_LINES)
        return detectLinesAt(x, y);
    if (gameType == TYPE_BLOCKS)
        return detectBlockAt(x, y);
    return false;
}

bool Game::detectLinesAt(int32_t x, int32_t y)
{
    Cell& origin = cellAt(x, y);
    if (!origin.isBall())
        return false;
    int32_t marked = 0;
    bool qualified = false;
    for (const LineDirection& d : LINE_DIRECTIONS) {
        if (!fits(d, x, y, lineLength, width, height))
            continue;
        // Display states are not looked at: balls marked earlier in the pass count again.
        int32_t count = 0;
        for (Cell* c = cellOrNull(x + d.dx, y + d.dy); c && c->matches(origin);
             c = cellOrNull(c->x + d.dx, c->y + d.dy))
            ++count;
        if (count + 1 < lineLength)
            continue;
        qualified = true;
        for (int32_t k = 1; k <= count; ++k)
            cellAt(x + k * d.dx, y + k * d.dy).recordState(STATE_VANISHING);
        marked += count;
    }
    if (!qualified)
        return false;
    origin.recordState(STATE_VANISHING);
    addPoints(wrappedMul((marked - lineLength) + 2, lineLength));
    return true;
}

bool Game::detectBlockAt(int32_t x, int32_t y)
{
    Cell& origin = cellAt(x, y);
    if (!origin.isBall())
        return false;
    int32_t minWidth = width + 1;
    int32_t rows = 0;
    for (int32_t r = y; r < height; ++r) {
        int32_t run = 0;
        for (Cell* c = cellOrNull(x, r);
             c && c->matches(origin) && c->state != STATE_VANISHING;
             c = cellOrNull(c->x + 1, r))
            ++run;
        if (run < 2)
            break;
        minWidth = std::min(minWidth, run);
        ++rows;
    }
    if (rows < 2)
        return false;
    for (int32_t r = y; r < y + rows; ++r)
        for (int32_t c = x; c < x + minWidth; ++c)
            cellAt(c, r).recordState(STATE_VANISHING);
    addPoints(wrappedMul(minWidth * rows - 3, 4));
    return true;
}

bool Game::detectAll()
{
    if (gameType == TYPE_LINES)
        return detectAllLines();
    bool any = false;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            any |= detectAt(x, y);
    return any;
}

// The same outcome as detectLinesAt over every cell in row order, without walking long lines
// again for each of their balls. Marking never changes what a later cell counts (kinds and
// colours stay), so each cell's run per direction is known up front, and repeated recorded
// changes to vanishing leave previousState 5 exactly on the cells marked twice or more.
bool Game::detectAllLines()
{
    const size_t n = cells.size();
    scratch.assign(5 * n, 0);
    int32_t* run = scratch.data();
    int32_t* cover = run + n;
    int32_t* marks = cover + n;
    int32_t* markedSum = marks + n;
    int32_t* qualified = markedSum + n;
    auto at = [this](int32_t x, int32_t y) { return static_cast<size_t>(y) * width + x; };

    for (const LineDirection& d : LINE_DIRECTIONS) {
        for (int32_t y = height - 1; y >= 0; --y) {
            for (int32_t x = width - 1; x >= 0; --x) {
                Cell* next = cellOrNull(x + d.dx, y + d.dy);
                size_t i = at(x, y);
                run[i] = next && next->matches(*cells[i]) ? 1 + run[at(x + d.dx, y + d.dy)] : 0;
            }
        }
        std::fill(cover, cover + n, 0);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                size_t i = at(x, y);
                if (!cells[i]->isBall() || !fits(d, x, y, lineLength, width, height)
                    || run[i] + 1 < lineLength)
                    continue;
                qualified[i] = 1;
                markedSum[i] += run[i];
                if (run[i] == 0)
                    continue;
                cover[at(x + d.dx, y + d.dy)] += 1;
                int32_t endX = x + (run[i] + 1) * d.dx;
                int32_t endY = y + (run[i] + 1) * d.dy;
                if (cellOrNull(endX, endY))
                    cover[at(endX, endY)] -= 1;
            }
        }
        // Prefix sums along the direction turn range starts and ends into mark counts.
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                size_t i = at(x, y);
                if (cellOrNull(x - d.dx, y - d.dy))
                    cover[i] += cover[at(x - d.dx, y - d.dy)];
                marks[i] += cover[i];
            }
        }
    }

    bool any = false;
    for (size_t i = 0; i < n; ++i) {
        if (!qualified[i])
            continue;
        any = true;
        marks[i] += 1;
        addPoints(wrappedMul((markedSum[i] - lineLength) + 2, lineLength));
    }
    for (size_t i = 0; i < n; ++i) {
        if (marks[i] == 0)
            continue;
        Cell& cell = *cells[i];
        cell.recordState(STATE_VANISHING);
        if (marks[i] > 1)
            cell.previousState = STATE_VANISHING;
    }
    return any;
}

void Game::exciteBall(Cell& cell, bool& newlyExcited)
{
    if (cell.previousState != STATE_EXCITED) {
        cell.previousState = STATE_EXCITED;
        newlyExcited = true;
    }
    cell.setState(STATE_EXCITED);
}

// Neighbour pairs of the four axes: left-right, up-down, up-left/down-right, down-left/up-right.
static const int32_t AXES[4][4] = {{-1, 0, 1, 0}, {0, -1, 0, 1}, {-1, -1, 1, 1}, {-1, 1, 1, -1}};
// Orthogonal neighbours: left, up, right, down.
static const int32_t SIDES[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};

void Game::updateLineMoods(Cell& cell, bool& newlyExcited)
{
    for (const int32_t* axis : AXES) {
        Cell* a = cellOrNull(cell.x + axis[0], cell.y + axis[1]);
        Cell* b = cellOrNull(cell.x + axis[2], cell.y + axis[3]);
        bool aMatches = a && a->matches(cell);
        bool bMatches = b && b->matches(cell);
        if (aMatches && bMatches) {
            if (cell.state < STATE_EXCITED)
                exciteBall(cell, newlyExcited);
            exciteBall(*a, newlyExcited);
            exciteBall(*b, newlyExcited);
        } else if ((aMatches || bMatches) && cell.state < STATE_PLEASED) {
            cell.setState(STATE_PLEASED);
        }
    }
}

void Game::updateBlockMoods(Cell& cell, bool& newlyExcited)
{
    Cell* matching[4];
    int32_t count = 0;
    for (const int32_t* side : SIDES) {
        Cell* c = cellOrNull(cell.x + side[0], cell.y + side[1]);
        if (c && c->matches(cell))
            matching[count++] = c;
    }
    if (count >= 2) {
        if (cell.state < STATE_EXCITED)
            exciteBall(cell, newlyExcited);
        for (int32_t k = 0; k < count; ++k)
            exciteBall(*matching[k], newlyExcited);
    } else if (count == 1 && cell.state < STATE_PLEASED) {
        cell.setState(STATE_PLEASED);
    }
}

bool Game::updateMoods()
{
    bool newlyExcited = false;
    for (Cell* cell : cells) {
        if (!cell->isBall() || cell->state >= STATE_SELECTED)
            continue;
        if (gameType == TYPE_LINES)
            updateLineMoods(*cell, newlyExcited);
        else
            updateBlockMoods(*cell, newlyExcited);
    }
    return newlyExcited;
}

} // namespace tintrow
