// Test support: a recording host, hand-made level files and a game on them.
#include "GameFixture.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "io/HostPaths.h"
#include "lang/DArray.h"

namespace tintrow::testing {

static void putInt(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

std::vector<uint8_t> LevelDesign::bytes() const
{
    std::vector<uint8_t> out;
    putInt(out, uint32_t(rows.empty() ? 0 : rows[0].size()), 1);
    putInt(out, uint32_t(rows.size()), 1);
    putInt(out, uint8_t(gameType), 1);
    putInt(out, uint8_t(goal), 1);
    putInt(out, uint8_t(colourCount), 1);
    putInt(out, uint8_t(nextCount), 1);
    putInt(out, uint32_t(timeLimit), 4);
    putInt(out, uint32_t(bonusPerPoint), 4);
    putInt(out, uint8_t(lineLength), 1);
    putInt(out, uint16_t(pointsToWin), 2);
    putInt(out, uint32_t(particleRate), 4);
    for (const std::string& row : rows)
        for (char c : row)
            out.push_back(c == '#' ? KIND_HOLE : KIND_FLOOR);
    return out;
}

vela::lang::DbyteArrayPtr RecordingHost::readLevel(int32_t index)
{
    auto found = levels.find(index);
    if (found == levels.end())
        return nullptr;
    vela::lang::DbyteArrayPtr bytes = new vela::lang::DbyteArray(int32_t(found->second.size()));
    if (!found->second.empty())
        std::memcpy(bytes->data(), found->second.data(), found->second.size());
    return bytes;
}

std::vector<int32_t> RecordingHost::soundNumbers() const
{
    std::vector<int32_t> numbers;
    for (const PlayedSound& s : sounds)
        numbers.push_back(s.index);
    return numbers;
}

static std::string testAppName()
{
    return "Tintrow";
}

TemporaryHome::TemporaryHome()
{
    if (const char* old = std::getenv("TINTROW_HOME")) {
        previous = old;
        hadPrevious = true;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "tintrow-rules-XXXXXX");
    path = mkdtemp(pattern.data()) ? pattern : "";
    setenv("TINTROW_HOME", path.c_str(), 1);
    vela::io::setAppNameSource(testAppName);
}

TemporaryHome::~TemporaryHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    if (hadPrevious)
        setenv("TINTROW_HOME", previous.c_str(), 1);
    else
        unsetenv("TINTROW_HOME");
}

void clearBoard(Game& game)
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
}

void putBall(Game& game, int32_t x, int32_t y, int32_t colour)
{
    Cell& cell = game.cellAt(x, y);
    cell.kind = KIND_BALL;
    cell.colour = colour;
    cell.state = cell.previousState = STATE_NEUTRAL;
}

void layBoard(Game& game, const std::vector<std::string>& rows)
{
    clearBoard(game);
    for (int32_t y = 0; y < int32_t(rows.size()); ++y) {
        for (int32_t x = 0; x < int32_t(rows[y].size()); ++x) {
            char c = rows[y][x];
            if (c >= '0' && c <= '4')
                putBall(game, x, y, c - '0');
            else if (c == '#')
                game.cellAt(x, y).kind = KIND_HOLE;
        }
    }
}

} // namespace tintrow::testing

namespace tintrow::testing {

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

int32_t countState(Game& game, int32_t state)
{
    int32_t count = 0;
    for (int32_t y = 0; y < game.height; ++y)
        for (int32_t x = 0; x < game.width; ++x)
            count += game.cellAt(x, y).state == state;
    return count;
}

} // namespace tintrow::testing
