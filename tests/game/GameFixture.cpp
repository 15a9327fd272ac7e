// Test support: a recording host, hand-made level files, board pictures and a game on them.
#include "GameFixture.h"

#include "io/HostPaths.h"
#include "support/Files.h"

namespace tintrow::testing {

std::vector<uint8_t> LevelDesign::bytes() const
{
    std::vector<uint8_t> out;
    auto put = [&out](uint32_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            out.push_back(uint8_t(value >> shift));
    };
    put(uint32_t(rows.empty() ? 0 : rows[0].size()), 1);
    put(uint32_t(rows.size()), 1);
    for (int8_t b : {gameType, goal, colourCount, nextCount})
        put(uint8_t(b), 1);
    put(uint32_t(timeLimit), 4);
    put(uint32_t(bonusPerPoint), 4);
    put(uint8_t(lineLength), 1);
    put(uint16_t(pointsToWin), 2);
    put(uint32_t(particleRate), 4);
    for (const std::string& row : rows)
        for (char c : row)
            out.push_back(c == '#' ? KIND_HOLE : KIND_FLOOR);
    return out;
}

vela::lang::DbyteArrayPtr RecordingHost::readLevel(int32_t index)
{
    auto found = levels.find(index);
    return found == levels.end() ? nullptr : support::toArray(found->second);
}

void useGameStores()
{
    vela::io::setAppNameSource([] { return std::string("Tintrow"); });
}

GamePtr startGame(RecordingHost& host, const LevelDesign& design, bool arcade, int32_t levelCount)
{
    for (int32_t i = 0; i < levelCount; ++i)
        host.levels[i] = design.bytes();
    GamePtr game = new Game(host);
    game->countLevels();
    game->highestLevel = levelCount - 1;
    game->startNewGame(0, arcade);
    game->startPlay();
    host.sounds.clear();
    return game;
}

void putBall(Game& game, int32_t x, int32_t y, int32_t colour)
{
    Cell& cell = game.cellAt(x, y);
    cell.kind = KIND_BALL;
    cell.colour = colour;
    cell.state = cell.previousState = STATE_NEUTRAL;
}

void layBoard(Game& game, const std::string& picture)
{
    for (int32_t y = 0; y < game.height; ++y) {
        for (int32_t x = 0; x < game.width; ++x) {
            Cell& cell = game.cellAt(x, y);
            if (cell.kind != KIND_HOLE)
                cell.kind = KIND_FLOOR;
            cell.state = cell.previousState = STATE_NEUTRAL;
            cell.colour = 0;
        }
    }
    int32_t x = 0, y = 0, announced = 0;
    for (char c : picture) {
        if (c == '/') {
            x = 0;
            ++y;
            continue;
        }
        Cell& cell = game.cellAt(x, y);
        if (c >= '0' && c <= '4') {
            putBall(game, x, y, c - '0');
        } else if (c >= 'a' && c <= 'e') {
            cell.colour = c - 'a';
            cell.state = STATE_PREVIEW;
            Cell& next = *game.nextBalls[announced++];
            next.x = x;
            next.y = y;
            next.colour = cell.colour;
            next.kind = KIND_FLOOR;
            next.state = STATE_PREVIEW;
        } else if (c == '#') {
            cell.kind = KIND_HOLE;
        }
        ++x;
    }
}

int32_t countState(Game& game, int32_t state)
{
    int32_t count = 0;
    for (int32_t y = 0; y < game.height; ++y)
        for (int32_t x = 0; x < game.width; ++x)
            count += game.cellAt(x, y).state == state;
    return count;
}

} // namespace tintrow::testing
