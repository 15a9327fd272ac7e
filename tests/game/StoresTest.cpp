// What the game keeps between runs: the saved game, the settings and the high-score tables.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "game/rules/HiscoreTable.h"
#include "game/rules/StoreRecords.h"
#include "lang/DString.h"
#include "support/Files.h"

using support::bytesOf;
using support::toArray;
using vela::lang::DString;

namespace tintrow::testing {
namespace {

// Everything a refused load must leave as it was.
std::vector<int32_t> snapshot(Game& g)
{
    std::vector<int32_t> values = {g.selectedLevel, g.score, g.turnState, g.width};
    for (int32_t i = 0; i < g.width * g.height; ++i) {
        const Cell& c = g.cellAt(i % g.width, i / g.width);
        values.insert(values.end(), {c.kind, c.colour, c.state, c.previousState});
    }
    return values;
}

class SavedGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        useGameStores();
        LevelDesign small;
        small.rows.assign(5, std::string(7, '.'));
        host.levels[1] = small.bytes();
        game = startGame(host, LevelDesign());
        game->countLevels();
    }
    void finishTravel()
    {
        while (game->turnState == TURN_TRAVELLING)
            game->tick();
    }

    RecordingHost host;
    GamePtr game;
};

TEST_F(SavedGame, NineByNineBoardTakes203BytesInTheStoredLayout)
{
    game->score = 77;
    game->levelStartScore = 7;
    game->timeBank = 0x0102030405LL;
    game->saveGame();
    std::vector<uint8_t> bytes = bytesOf(readRecordOne(u"gsv"));
    ASSERT_EQ(bytes.size(), 203u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20),
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 77, 0, 0, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(bytes[36], 9);
    EXPECT_EQ(bytes[40], 9);
    EXPECT_EQ(bytes[201], game->cellAt(8, 8).kind);
    EXPECT_EQ(bytes[202], game->cellAt(8, 8).colour);
}

// Resuming after a pause that left the removal running would score the same line twice.
TEST_F(SavedGame, PauseFinishesASpawnAndTheRemovalItStarts)
{
    layBoard(*game, "1111b/........0///////cd");
    game->choose(8, 1);
    game->choose(8, 2);
    finishTravel();
    ASSERT_EQ(game->turnState, TURN_SPAWNING);
    ASSERT_TRUE(game->pauseGame());
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    EXPECT_EQ(game->score, 5);
    EXPECT_EQ(countState(*game, STATE_VANISHING), 0);
    game->gamePaused = false;
    game->resume();
    EXPECT_EQ(game->score, 5);
    EXPECT_EQ(game->turnState, TURN_PLAYER);
}

TEST_F(SavedGame, PauseThatEndsTheLevelRemovesTheSave)
{
    LevelDesign quick;
    quick.goal = GOAL_SCORE;
    quick.pointsToWin = 5;
    host.levels[0] = host.levels[1] = quick.bytes();
    game->countLevels();
    game->startNewGame(0, false);
    game->saveGame();
    layBoard(*game, "1111/........1");
    game->choose(8, 1);
    game->choose(4, 0);
    finishTravel();
    ASSERT_EQ(game->turnState, TURN_REMOVING);
    ASSERT_TRUE(game->pauseGame());
    EXPECT_EQ(game->turnState, TURN_LEVEL_COMPLETE);
    EXPECT_FALSE(game->hasSavedGame());
    game->gamePaused = false;
    game->resume();
    EXPECT_EQ(game->turnState, TURN_LEVEL_COMPLETE);
    game->saveGame();
    game->setTurnState(TURN_GAME_OVER);
    EXPECT_FALSE(game->hasSavedGame()) << "game over in progress mode removes the save too";
}

class SpoiledSave : public SavedGame, public ::testing::WithParamInterface<Damage> { };

// Each case spoils one part of a good 9 × 9 save; the game must come through untouched.
TEST_P(SpoiledSave, CountsAsNoSavedGame)
{
    game->saveGame();
    std::vector<uint8_t> bytes = GetParam().applyTo(bytesOf(readRecordOne(u"gsv")));
    ASSERT_TRUE(writeRecordOne(u"gsv", toArray(bytes)));
    game->score = 31;
    std::vector<int32_t> before = snapshot(*game);
    EXPECT_FALSE(game->loadGame());
    EXPECT_EQ(snapshot(*game), before);
}

const Damage SPOILED_CASES[] = {
    {"TruncatedHeader", 0, 0, 30},
    {"TruncatedBoard", 0, 0, 202},
    {"MissingLevel", 3, 9, -1},
    {"OtherLevelsBoardSize", 3, 1, -1}, // level 1 is 7 × 5
    {"WidthDiffersFromLevel", 36, 8, -1},
    {"HugeHeight", 37, 0x7F, -1},
    {"TurnStateBeyondTravel", 32, 4, -1},
    {"KindBeyondBall", 41, 3, -1},
    {"ColourBeyondFour", 42, 5, -1},
    {"NegativeColour", 44, 0xFF, -1},
};

INSTANTIATE_TEST_SUITE_P(Cases, SpoiledSave, ::testing::ValuesIn(SPOILED_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// "cfg" holds the two volumes and the highest level; a short record changes nothing and a
// negative level is ignored while the volumes still load.
TEST_F(SavedGame, SettingsKeepVolumesAndHighestLevel)
{
    game->highestLevel = 6;
    game->saveSettings();
    EXPECT_EQ(bytesOf(readRecordOne(u"cfg")), (std::vector<uint8_t>{30, 20, 6}));
    game->highestLevel = 0;
    game->loadSettings();
    EXPECT_EQ(game->highestLevel, 6);
    EXPECT_EQ(host.volumes, (std::vector<int32_t>{30, 20}));

    writeRecordOne(u"cfg", toArray({10, 10}));
    host.volumes.clear();
    game->highestLevel = 2;
    game->loadSettings();
    EXPECT_EQ(game->highestLevel, 2);
    EXPECT_TRUE(host.volumes.empty());

    writeRecordOne(u"cfg", toArray({10, 12, 0xFD}));
    game->highestLevel = 0;
    game->loadSettings();
    EXPECT_EQ(game->highestLevel, 0);
    EXPECT_EQ(host.volumes, (std::vector<int32_t>{10, 12}));
    EXPECT_FALSE(game->continueProgress());
    EXPECT_EQ(game->selectedLevel, 0);
}

class Hiscores : public ::testing::Test {
protected:
    void SetUp() override
    {
        useGameStores();
        table = new HiscoreTable();
        table->init(new DString(u"hs"), 10, new DString(u"EMPTY"));
    }
    std::string name(int32_t row) { return table->names[row]->toUtf8(); }
    void add(const char16_t* who, int32_t score) { table->addScore(new DString(who), score); }

    HiscoreTablePtr table;
};

TEST_F(Hiscores, EqualScoreGoesBelowAndAFullTableRefusesIt)
{
    EXPECT_FALSE(table->qualifies(0));
    EXPECT_TRUE(table->qualifies(1));
    add(u"A", 500);
    EXPECT_EQ(name(0), "A");
    EXPECT_EQ(name(1), "EMPTY");
    add(u"B", 700);
    add(u"C", 500);
    EXPECT_EQ(name(0) + name(1) + name(2), "BAC");
    for (int32_t i = 0; i < 10; ++i)
        add(u"X", 500);
    EXPECT_FALSE(table->qualifies(500));
    ASSERT_EQ(table->rowCount(), 10);
    for (int32_t row = 0; row < 10; ++row)
        EXPECT_EQ(table->values[row][0], row == 0 ? 700 : 500) << row;
}

TEST_F(Hiscores, BrokenRecordsKeepTheTable)
{
    const std::vector<std::vector<uint8_t>> broken = {
        {0, 0, 0},                           // short count
        {0x7F, 0xFF, 0xFF, 0xFF, 0, 1, 'a'}, // absurd count
        {0xFF, 0xFF, 0xFF, 0xFF},            // negative count
        {0, 0, 0, 1, 0, 1, 'a', 1, 0, 0},    // row cut short
        {0, 0, 0, 1, 0, 1, 'a', 0},          // row without its score
    };
    add(u"keep", 9);
    for (const auto& bytes : broken) {
        writeRecordOne(u"hs", toArray(bytes));
        table->load();
        EXPECT_EQ(table->rowCount(), 10);
        EXPECT_EQ(name(0), "keep");
    }
}

} // namespace
} // namespace tintrow::testing
