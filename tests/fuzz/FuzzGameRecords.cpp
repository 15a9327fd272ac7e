// Fuzz targets of the game's own files: level files (then played) and the stored records of
// the saved game, the settings and the high scores (then used and written back).
#include "FuzzSupport.h"
#include "FuzzTargets.h"

#include "game/GameFixture.h"
#include "support/Files.h"
#include "game/rules/HiscoreTable.h"
#include "game/rules/LevelFile.h"

#include <random>

namespace fuzz {

using namespace vela::lang;
using namespace tintrow;
using namespace tintrow::testing;
using support::toArray;

namespace {

// Random choices of cells (as the game screen makes them) and ticks, the same for the same input.
void play(Game& game, RecordingHost& host, size_t seed)
{
    std::mt19937 random{uint32_t(seed)};
    for (int32_t tick = 0; tick < 300; ++tick) {
        if (random() % 4 == 0 && game.turnState == TURN_PLAYER)
            game.choose(int32_t(random() % uint32_t(game.width)),
                        int32_t(random() % uint32_t(game.height)));
        host.clock += 42;
        game.tick();
    }
}

std::vector<uint8_t> bytesOf(const uint8_t* data, size_t size)
{
    return std::vector<uint8_t>(data, data + size);
}

} // namespace

void levelInput(const uint8_t* data, size_t size)
{
    scratchFolder();
    bool playable = false;
    expectCleanFailure([&] {
        LevelFile::parse(toArray(bytesOf(data, size)));
        playable = true;
    });
    if (!playable)
        return;
    RecordingHost host;
    host.levels[0] = host.levels[1] = bytesOf(data, size);
    GamePtr game = new Game(host);
    game->countLevels();
    game->highestLevel = 1;
    game->startNewGame(0, size % 2 == 0);
    game->startPlay();
    play(*game, host, size);
}

// Continued as the menu continues it, on levels of two sizes.
void savedGameInput(const uint8_t* data, size_t size)
{
    writeStore("gsv", {std::string(reinterpret_cast<const char*>(data), size)});
    RecordingHost host;
    LevelDesign small;
    small.rows.assign(5, std::string(7, '.'));
    GamePtr game = startGame(host, LevelDesign(), false, 3);
    host.levels[1] = small.bytes();
    game->countLevels();
    if (!game->loadGame())
        return;
    game->resume();
    play(*game, host, size);
}

void settingsInput(const uint8_t* data, size_t size)
{
    writeStore("cfg", {std::string(reinterpret_cast<const char*>(data), size)});
    RecordingHost host;
    GamePtr game = startGame(host, LevelDesign(), false, 2);
    game->loadSettings();
    game->saveSettings();
    if (game->highestLevel < 0)
        std::abort();
}

// Loaded, given a score, saved and loaded again: the second table must equal the first.
void hiscoresInput(const uint8_t* data, size_t size)
{
    writeStore("hs", {std::string(reinterpret_cast<const char*>(data), size)});
    auto loaded = [] {
        HiscoreTablePtr table = new HiscoreTable();
        table->init(new DString(u"hs"), 10, new DString(u"EMPTY"));
        table->load();
        return table;
    };
    HiscoreTablePtr table = loaded();
    if (table->qualifies(500))
        table->addScore(new DString(u"Fuzz"), 500);
    table->save();
    HiscoreTablePtr again = loaded();
    if (again->rowCount() != table->rowCount())
        std::abort();
    for (int32_t i = 0; i < table->rowCount(); ++i)
        if (!again->names[i]->equals(table->names[i]) || again->values[i][0] != table->values[i][0])
            std::abort();
}

} // namespace fuzz
