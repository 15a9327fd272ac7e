// The turn cycle: spawning, removal, goals, game over and modes.
#include <gtest/gtest.h>

#include "GameFixture.h"

namespace tintrow::testing {
namespace {

// Moving (8, 1) to (4, 0) completes a line of five; three balls are announced on row 5; the
// ball at (0, 7) keeps the board from being cleared.
const char* const LINE_ON_MOVE = "1111/........1////cde//2";

class TurnCycle : public ::testing::Test {
protected:
    void start(const LevelDesign& design = LevelDesign(), bool arcade = false, int32_t levels = 1)
    {
        game = startGame(host, design, arcade, levels);
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
            for (int32_t i = 0; i < game->width * game->height; ++i)
                game->cellAt(i % game->width, i / game->width).loops = 1;
            game->tick();
        }
        FAIL() << "the cycle never settled";
    }

    RecordingHost host;
    GamePtr game;
};

TEST_F(TurnCycle, MoveCompletingALineSpawnsNothing)
{
    start();
    layBoard(*game, LINE_ON_MOVE);
    move(8, 1, 4, 0);
    EXPECT_EQ(game->turnState, TURN_REMOVING);
    EXPECT_EQ(game->score, 5);
    settle();
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::make_pair(game->nextBalls[i]->x, game->nextBalls[i]->y), std::make_pair(i, 5));
    for (int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(game->cellAt(x, 0).kind, KIND_FLOOR);
        EXPECT_EQ(game->cellAt(x, 0).previousState, STATE_VANISHING);
    }
    EXPECT_EQ(countState(*game, STATE_PREVIEW), 3);
}

// With no ball left no move is possible: the announced balls grow in where they stand.
TEST_F(TurnCycle, ClearedBoardGrowsTheAnnouncedBallsAtOnce)
{
    start();
    layBoard(*game, "1111/........1////cde");
    move(8, 1, 4, 0);
    settle();
    ASSERT_EQ(game->turnState, TURN_PLAYER);
    for (int32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(game->cellAt(x, 5).kind, KIND_BALL) << x;
        EXPECT_EQ(game->cellAt(x, 5).colour, 2 + x) << x;
    }
    EXPECT_EQ(countState(*game, STATE_PREVIEW), 3);
    EXPECT_EQ(game->score, 5);
}

TEST_F(TurnCycle, BallMovedOntoAPreviewDisplacesOnlyThatSpawn)
{
    start();
    layBoard(*game, "2e///...b///......d");
    move(0, 0, 1, 0);
    ASSERT_EQ(game->turnState, TURN_SPAWNING);
    EXPECT_EQ(game->cellAt(1, 0).colour, 2);
    EXPECT_EQ(game->cellAt(3, 3).state, STATE_APPEARING);
    EXPECT_EQ(game->cellAt(3, 3).previousState, STATE_PREVIEW);
    EXPECT_EQ(game->cellAt(6, 6).state, STATE_APPEARING);
    const Cell& displaced = *game->nextBalls[0];
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
    start();
    layBoard(*game, "1111b/........0///////cd");
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
    layBoard(*game, "012/340");
    game->setTurnState(TURN_PLAYER);
    EXPECT_EQ(game->turnState, TURN_GAME_OVER);
    EXPECT_EQ(host.sounds, (std::vector<PlayedSound>{{SOUND_DEFEAT, 0, false}}));
}

struct GoalCase {
    const char* name;
    int8_t goal;
    int32_t bonusPerPoint, carried, ownBefore, levels;
    bool arcade;
    int32_t turnState, selectedLevel;
};

class Goals : public TurnCycle, public ::testing::WithParamInterface<GoalCase> { };

// A line of 5 worth 5 points; timed levels have a limit of 10000 and start at 5000; score
// levels need 100 points of their own.
TEST_P(Goals, RemovalChecksTheGoal)
{
    const GoalCase& c = GetParam();
    LevelDesign design;
    design.goal = c.goal;
    design.timeLimit = 10000;
    design.bonusPerPoint = c.bonusPerPoint;
    start(design, c.arcade, c.levels);
    if (c.arcade) {
        EXPECT_EQ(game->goal, GOAL_NONE);
        host.clock += 10000000;
        game->tick();
        game->timeBank = 1000000;
    }
    game->levelStartScore = c.carried;
    game->score = c.carried + c.ownBefore;
    layBoard(*game, LINE_ON_MOVE);
    move(8, 1, 4, 0);
    settle();
    EXPECT_EQ(game->turnState, c.turnState);
    EXPECT_EQ(game->selectedLevel, c.selectedLevel);
    if (c.turnState >= TURN_LEVEL_COMPLETE) {
        EXPECT_EQ(game->highestLevel, c.levels - 1);
        EXPECT_EQ(host.sounds.back(), (PlayedSound{SOUND_VICTORY, 0, false}));
    }
    if (c.turnState >= TURN_LEVEL_COMPLETE && c.goal == GOAL_TIME) {
        EXPECT_EQ(game->timeBank, 10000);
    }
}

const GoalCase GOAL_CASES[] = {
    // 5000 + 5 × 1001 passes the limit of 10000; 5000 + 5 × 1000 only reaches it.
    {"TimeAboveLimitWins", GOAL_TIME, 1001, 0, 0, 2, false, TURN_LEVEL_COMPLETE, 1},
    {"TimeExactlyAtLimitDoesNotWin", GOAL_TIME, 1000, 0, 0, 2, false, TURN_PLAYER, 0},
    {"LastLevelCompletes", GOAL_TIME, 1001, 0, 0, 1, false, TURN_LAST_LEVEL_COMPLETE, 1},
    {"ArcadeOnATimedLevelNeverCompletes", GOAL_TIME, 1001, 0, 0, 2, true, TURN_PLAYER, 0},
    {"ScoreShortOfGoal", GOAL_SCORE, 0, 0, 90, 2, false, TURN_PLAYER, 0},
    {"CarriedPointsDoNotCount", GOAL_SCORE, 0, 40, 90, 2, false, TURN_PLAYER, 0},
    {"ScoreWithCarriedPointsIsWonAt140", GOAL_SCORE, 0, 40, 95, 2, false, TURN_LEVEL_COMPLETE, 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, Goals, ::testing::ValuesIn(GOAL_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TurnCycle, TimeRunsOutOnlyInThePlayersTurn)
{
    LevelDesign design;
    design.goal = GOAL_TIME;
    design.timeLimit = 10000;
    start(design);
    layBoard(*game, "3");
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

} // namespace
} // namespace tintrow::testing
