// The turn cycle: spawning, removal, goals, game over, modes and pausing.
#include <gtest/gtest.h>

#include "GameFixture.h"

namespace tintrow::testing {
namespace {

class TurnCycle : public ::testing::Test {
protected:
    void start(const LevelDesign& design, bool arcade = false, int32_t levels = 1)
    {
        game = startGame(host, design, arcade, levels);
        clearBoard(*game);
    }
    // Announces next ball i on (x, y) with `colour`, as the game would have.
    void preview(int32_t i, int32_t x, int32_t y, int32_t colour)
    {
        Cell& next = *game->nextBalls[i];
        next.x = x;
        next.y = y;
        next.colour = colour;
        next.kind = KIND_FLOOR;
        next.state = STATE_PREVIEW;
        Cell& cell = game->cellAt(x, y);
        cell.kind = KIND_FLOOR;
        cell.colour = colour;
        cell.state = STATE_PREVIEW;
    }
    void move(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY)
    {
        game->choose(fromX, fromY);
        game->choose(toX, toY);
        ASSERT_EQ(game->turnState, TURN_TRAVELLING);
        while (game->turnState == TURN_TRAVELLING)
            game->tick();
    }
    // Runs ticks as painting would, every animation having played once.
    void settle()
    {
        for (int guard = 0; guard < 1000; ++guard) {
            if (game->turnState != TURN_SPAWNING && game->turnState != TURN_REMOVING)
                return;
            for (int32_t y = 0; y < game->height; ++y)
                for (int32_t x = 0; x < game->width; ++x)
                    game->cellAt(x, y).loops = 1;
            game->tick();
        }
        FAIL() << "the cycle never settled";
    }
    std::vector<std::pair<int32_t, int32_t>> nextPositions()
    {
        std::vector<std::pair<int32_t, int32_t>> positions;
        for (int32_t i = 0; i < game->nextCount; ++i)
            positions.emplace_back(game->nextBalls[i]->x, game->nextBalls[i]->y);
        return positions;
    }

    RecordingHost host;
    GamePtr game;
};

TEST_F(TurnCycle, MoveCompletingALineSpawnsNothing)
{
    start(LevelDesign());
    layBoard(*game, {"1111.....", "........1"});
    preview(0, 0, 5, 2);
    preview(1, 1, 5, 3);
    preview(2, 2, 5, 4);
    move(8, 1, 4, 0);
    EXPECT_EQ(game->turnState, TURN_REMOVING);
    EXPECT_EQ(game->score, 5);
    host.sounds.clear();
    settle();
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    EXPECT_EQ(nextPositions(), (std::vector<std::pair<int32_t, int32_t>>{{0, 5}, {1, 5}, {2, 5}}));
    for (int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(game->cellAt(x, 0).kind, KIND_FLOOR);
        EXPECT_EQ(game->cellAt(x, 0).previousState, STATE_VANISHING);
    }
    EXPECT_EQ(countState(*game, STATE_PREVIEW), 3);
}

TEST_F(TurnCycle, BallMovedOntoAPreviewDisplacesOnlyThatSpawn)
{
    start(LevelDesign());
    layBoard(*game, {"2........"});
    preview(0, 3, 3, 1);
    preview(1, 1, 0, 4);
    preview(2, 6, 6, 3);
    move(0, 0, 1, 0);
    ASSERT_EQ(game->turnState, TURN_SPAWNING);
    EXPECT_EQ(game->cellAt(1, 0).colour, 2);
    EXPECT_EQ(game->cellAt(3, 3).state, STATE_APPEARING);
    EXPECT_EQ(game->cellAt(3, 3).previousState, STATE_PREVIEW);
    EXPECT_EQ(game->cellAt(6, 6).state, STATE_APPEARING);
    const Cell& displaced = *game->nextBalls[1];
    EXPECT_FALSE(displaced.x == 1 && displaced.y == 0);
    const Cell& grown = game->cellAt(displaced.x, displaced.y);
    EXPECT_EQ(grown.kind, KIND_BALL);
    EXPECT_EQ(grown.state, STATE_APPEARING);
    EXPECT_EQ(grown.colour, 4);
    EXPECT_EQ(countState(*game, STATE_APPEARING), 3);
    EXPECT_EQ(host.sounds.back(), (PlayedSound{SOUND_INC, 0, false}));
}

TEST_F(TurnCycle, SpawnCompletingALineIsRemovedBeforeNewBallsAreAnnounced)
{
    start(LevelDesign());
    layBoard(*game, {"1111.....", "........0"});
    preview(0, 4, 0, 1);
    preview(1, 0, 8, 2);
    preview(2, 1, 8, 3);
    move(8, 1, 8, 2);
    ASSERT_EQ(game->turnState, TURN_SPAWNING);
    game->cellAt(1, 8).loops = 1; // only the last appearing ball in row order is waited on
    game->tick();
    ASSERT_EQ(game->turnState, TURN_REMOVING);
    EXPECT_EQ(game->previousTurnState, TURN_SPAWNING);
    EXPECT_EQ(game->score, 5);
    EXPECT_EQ(countState(*game, STATE_PREVIEW), 0);
    settle();
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    EXPECT_EQ(countState(*game, STATE_PREVIEW), 3);
}

TEST_F(TurnCycle, FullBoardAtTurnStartEndsTheGame)
{
    LevelDesign design;
    design.rows = {"...", "..."};
    start(design);
    layBoard(*game, {"012", "340"});
    host.sounds.clear();
    game->setTurnState(TURN_PLAYER);
    EXPECT_EQ(game->turnState, TURN_GAME_OVER);
    EXPECT_EQ(host.soundNumbers(), (std::vector<int32_t>{SOUND_DEFEAT}));
}

struct GoalCase {
    const char* name;
    int8_t goal;
    int32_t bonusPerPoint;
    int32_t carried;
    int32_t levels;
    int32_t turnState;
    int32_t selectedLevel;
};

class Goals : public TurnCycle, public ::testing::WithParamInterface<GoalCase> { };

// A line of 5 worth 5 points; timed levels have a limit of 10000 and start at 5000.
TEST_P(Goals, RemovalChecksTheGoal)
{
    const GoalCase& c = GetParam();
    LevelDesign design;
    design.goal = c.goal;
    design.timeLimit = 10000;
    design.bonusPerPoint = c.bonusPerPoint;
    design.pointsToWin = 100;
    start(design, false, c.levels);
    game->score = game->levelStartScore = c.carried;
    layBoard(*game, {"1111.....", "........1"});
    preview(0, 0, 5, 2);
    preview(1, 1, 5, 3);
    preview(2, 2, 5, 4);
    game->score += 90; // the line's 5 points make 95 of the level's own
    move(8, 1, 4, 0);
    settle();
    EXPECT_EQ(game->turnState, c.turnState);
    EXPECT_EQ(game->selectedLevel, c.selectedLevel);
    if (c.turnState >= TURN_LEVEL_COMPLETE) {
        EXPECT_EQ(game->timeBank, 10000);
        EXPECT_EQ(host.sounds.back(), (PlayedSound{SOUND_VICTORY, 0, false}));
    }
}

const GoalCase GOAL_CASES[] = {
    // 5000 + 5 × 1001 passes the limit of 10000.
    {"TimeAboveLimitWins", GOAL_TIME, 1001, 0, 2, TURN_LEVEL_COMPLETE, 1},
    {"TimeExactlyAtLimitDoesNotWin", GOAL_TIME, 1000, 0, 2, TURN_PLAYER, 0},
    // 95 points of the level's own are short of 100, whatever was carried into it.
    {"ScoreShortOfGoal", GOAL_SCORE, 0, 0, 2, TURN_PLAYER, 0},
    {"CarriedPointsDoNotCount", GOAL_SCORE, 0, 40, 2, TURN_PLAYER, 0},
    {"LastLevelCompletes", GOAL_TIME, 1001, 0, 1, TURN_LAST_LEVEL_COMPLETE, 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, Goals, ::testing::ValuesIn(GOAL_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TurnCycle, ScoreLevelWithCarriedPointsIsWonAt140)
{
    LevelDesign design;
    design.goal = GOAL_SCORE;
    design.pointsToWin = 100;
    start(design, false, 2);
    game->score = game->levelStartScore = 40;
    layBoard(*game, {"1111.....", "........1"});
    preview(0, 0, 5, 2);
    preview(1, 1, 5, 3);
    preview(2, 2, 5, 4);
    game->score = 134;
    move(8, 1, 4, 0);
    settle();
    EXPECT_EQ(game->score, 139);
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    layBoard(*game, {"2222.....", "........2"});
    preview(0, 0, 5, 2);
    preview(1, 1, 5, 3);
    preview(2, 2, 5, 4);
    move(8, 1, 4, 0);
    settle();
    EXPECT_EQ(game->score, 144);
    EXPECT_EQ(game->turnState, TURN_LEVEL_COMPLETE);
    EXPECT_EQ(game->highestLevel, 1);
}

TEST_F(TurnCycle, TimeRunsOutOnlyInThePlayersTurn)
{
    LevelDesign design;
    design.goal = GOAL_TIME;
    design.timeLimit = 10000;
    start(design);
    layBoard(*game, {"3........"});
    game->choose(0, 0);
    game->choose(4, 0);
    host.clock += 60000; // the travel takes any time; it is not charged
    while (game->turnState == TURN_TRAVELLING)
        game->tick();
    settle();
    ASSERT_EQ(game->turnState, TURN_PLAYER);
    EXPECT_EQ(game->timeBank, 5000);
    host.clock += 4999;
    game->tick();
    EXPECT_EQ(game->timeBank, 1);
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    host.clock += 1;
    game->tick();
    EXPECT_EQ(game->turnState, TURN_GAME_OVER);
}

TEST_F(TurnCycle, ArcadeOnATimedLevelHasNoGoal)
{
    LevelDesign design;
    design.goal = GOAL_TIME;
    start(design, true, 2);
    EXPECT_EQ(game->goal, GOAL_NONE);
    host.clock += 10000000;
    game->tick();
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    game->timeBank = 1000000;
    layBoard(*game, {"1111.....", "........1"});
    preview(0, 0, 5, 2);
    preview(1, 1, 5, 3);
    preview(2, 2, 5, 4);
    move(8, 1, 4, 0);
    settle();
    EXPECT_EQ(game->turnState, TURN_PLAYER);
}

TEST_F(TurnCycle, MoodsExciteLinesOfThreeOnce)
{
    start(LevelDesign());
    layBoard(*game, {"1........", "1........", "1........"});
    game->cellAt(0, 0).state = STATE_PLEASED;
    EXPECT_TRUE(game->updateMoods());
    for (int32_t y = 0; y < 3; ++y)
        EXPECT_EQ(game->cellAt(0, y).state, STATE_EXCITED) << y;
    game->setTurnState(TURN_PLAYER);
    EXPECT_EQ(game->cellAt(0, 1).state, STATE_EXCITED);
    EXPECT_FALSE(game->updateMoods());
}

TEST_F(TurnCycle, MoodsPleaseASingleNeighbour)
{
    start(LevelDesign());
    layBoard(*game, {"22.......", ".........", "3.3......"});
    EXPECT_FALSE(game->updateMoods());
    EXPECT_EQ(game->cellAt(0, 0).state, STATE_PLEASED);
    EXPECT_EQ(game->cellAt(1, 0).state, STATE_PLEASED);
    EXPECT_EQ(game->cellAt(0, 2).state, STATE_NEUTRAL);
}

TEST_F(TurnCycle, BlockMoodsCountOrthogonalNeighbours)
{
    LevelDesign design;
    design.gameType = TYPE_BLOCKS;
    start(design);
    layBoard(*game, {"44.......", "4........"});
    EXPECT_TRUE(game->updateMoods());
    EXPECT_EQ(game->cellAt(0, 0).state, STATE_EXCITED);
    EXPECT_EQ(game->cellAt(1, 0).state, STATE_EXCITED);
    EXPECT_EQ(game->cellAt(0, 1).state, STATE_EXCITED);
}

} // namespace
} // namespace tintrow::testing
