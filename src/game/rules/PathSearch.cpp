// Choosing cells, the breadth-first path search and the travel of the moving ball.
#include "game/rules/Game.h"

#include <utility>

namespace tintrow {

// Direction codes in their search order: left, up, right, down.
static const int32_t STEP_X[4] = {-1, 0, 1, 0};
static const int32_t STEP_Y[4] = {0, -1, 0, 1};

void Game::choose(int32_t x, int32_t y)
{
    Cell& cell = cellAt(x, y);
    if (cell.kind < KIND_BALL) {
        if (selectedX < 0)
            return;
        if (findPath(x, y)) {
            targetX = x;
            targetY = y;
            setTurnState(TURN_TRAVELLING);
        } else {
            host.playSound(SOUND_NO, panForColumn(selectedX), false);
        }
        return;
    }
    if (cell.state > STATE_EXCITED)
        return;
    if (selectedX >= 0) {
        Cell& previous = cellAt(selectedX, selectedY);
        int32_t mood = previous.previousState;
        previous.previousState = previous.state;
        previous.setState(mood);
    }
    selectedX = x;
    selectedY = y;
    cell.recordState(STATE_SELECTED);
    host.playSound(SOUND_SELECT, panForColumn(x), false);
}

// Stores the floor neighbours other than the parent; every stored direction may be a step.
bool Game::collectOpen(PathNode& node)
{
    node.openCount = 0;
    for (int32_t dir = 0; dir < 4; ++dir) {
        int32_t nx = node.x + STEP_X[dir];
        int32_t ny = node.y + STEP_Y[dir];
        if (node.parent && node.parent->x == nx && node.parent->y == ny)
            continue;
        Cell* neighbour = cellOrNull(nx, ny);
        if (neighbour && neighbour->kind == KIND_FLOOR)
            node.open[node.openCount++] = dir;
    }
    return node.openCount > 0;
}

static bool reaches(const PathNode& node, int32_t tx, int32_t ty)
{
    for (int32_t k = 0; k < node.openCount; ++k)
        if (node.x + STEP_X[node.open[k]] == tx && node.y + STEP_Y[node.open[k]] == ty)
            return true;
    return false;
}

// The pool is ordered by depth, so the nodes of one depth are its tail during a step; a
// position index replaces the backward search for known positions, keeping the search linear.
bool Game::findPath(int32_t tx, int32_t ty)
{
    path = nullptr;
    nodeCount = 0;
    foundNode = -1;
    nodeCapacity = width * height;
    nodes.assign(static_cast<size_t>(nodeCapacity), PathNode());
    nodeAt.assign(static_cast<size_t>(nodeCapacity), -1);

    PathNode& start = nodes[0];
    start.x = selectedX;
    start.y = selectedY;
    start.index = 0;
    nodeAt[static_cast<size_t>(selectedY) * width + selectedX] = 0;
    nodeCount = 1;
    if (!collectOpen(start))
        return false;

    for (int32_t d = 0; d < nodeCapacity; ++d) {
        int32_t total = 0;
        for (int32_t i = nodeCount - 1; i >= 0; --i) {
            total += nodes[i].openCount;
            if (nodes[i].depth != d)
                break;
            if (reaches(nodes[i], tx, ty)) {
                foundNode = i;
                break;
            }
        }
        if (foundNode >= 0)
            break;
        if (total == 0)
            return false;
        for (int32_t i = nodeCount - 1; i >= 0 && nodes[i].depth == d; --i) {
            PathNode& parent = nodes[i];
            for (int32_t k = 0; k < parent.openCount; ++k) {
                int32_t nx = parent.x + STEP_X[parent.open[k]];
                int32_t ny = parent.y + STEP_Y[parent.open[k]];
                int32_t& known = nodeAt[static_cast<size_t>(ny) * width + nx];
                if (known >= 0)
                    continue;
                PathNode& node = nodes[nodeCount];
                node.parent = &parent;
                node.x = nx;
                node.y = ny;
                node.depth = d + 1;
                node.index = nodeCount;
                collectOpen(node);
                known = nodeCount++;
            }
        }
    }
    if (foundNode < 0)
        return false;

    const PathNode& found = nodes[foundNode];
    path = new vela::lang::DintArray(found.depth + 1);
    for (const PathNode* n = &found; n; n = n->parent)
        path[n->depth] = n->index;
    return true;
}

void Game::startTravel()
{
    Cell& source = cellAt(selectedX, selectedY);
    source.setKind(KIND_FLOOR);
    source.recordState(STATE_NEUTRAL);
    travelX = cellSize * selectedX;
    travelY = cellSize * selectedY;
    pathStep = 0;
    // Seven animations per colour; the excited look is the third.
    travelAnimation = 7 * source.colour + 2;
    host.playSound(SOUND_MOVE, panForColumn(selectedX), true);
    moveSound = true;
}

void Game::travelTick()
{
    int32_t length = path->length();
    const PathNode& current = nodes[path[pathStep]];
    int32_t nextX = targetX;
    int32_t nextY = targetY;
    if (pathStep + 1 < length) {
        const PathNode& next = nodes[path[pathStep + 1]];
        nextX = next.x;
        nextY = next.y;
    }
    if (moveSound)
        host.setSoundPan(SOUND_MOVE, panForColumn(nextX));
    travelX += (nextX - current.x) * (cellSize >> 1);
    travelY += (nextY - current.y) * (cellSize >> 1);
    if (travelX != cellSize * nextX || travelY != cellSize * nextY)
        return;
    if (++pathStep == length)
        arrive();
}

void Game::putTravellerOnTarget()
{
    if (moveSound) {
        host.stopSound(SOUND_MOVE);
        moveSound = false;
    }
    int32_t colour = cellAt(selectedX, selectedY).colour;
    Cell& target = cellAt(targetX, targetY);
    target.setKind(KIND_BALL);
    target.recordState(STATE_NEUTRAL);
    target.colour = colour;
    selectedX = selectedY = -1;
    targetX = targetY = -1;
}

void Game::arrive()
{
    putTravellerOnTarget();
    setTurnState(detectAll() ? TURN_REMOVING : TURN_SPAWNING);
}

} // namespace tintrow
