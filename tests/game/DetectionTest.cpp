// Lines and blocks: what vanishes, what it scores, the time bonus and the fast full pass.
#include <gtest/gtest.h>

#include <random>

#include "GameFixture.h"

namespace tintrow::testing {
namespace {

struct GroupCase {
    const char* name;
    int8_t gameType;
    const char* board;
    int32_t points, vanishing;
};

class GroupScoring : public ::testing::TestWithParam<GroupCase> { };

TEST_P(GroupScoring, MarksAndScoresOnePass)
{
    const GroupCase& c = GetParam();
    RecordingHost host;
    LevelDesign design;
    design.gameType = c.gameType;
    GamePtr game = startGame(host, design);
    layBoard(*game, c.board);
    game->score = 0;
    EXPECT_EQ(game->detectAll(), c.points > 0);
    EXPECT_EQ(game->score, c.points);
    EXPECT_EQ(countState(*game, STATE_VANISHING), c.vanishing);
}

const GroupCase GROUP_CASES[] = {
    {"LineOf5", TYPE_LINES, "11111", 5, 5},
    {"LineOf6", TYPE_LINES, "111111", 15, 6},
    {"LineOf7", TYPE_LINES, "1111111", 30, 7},
    {"LineOf4IsNothing", TYPE_LINES, "1111.1", 0, 0},
    {"MixedColoursAreNothing", TYPE_LINES, "11211", 0, 0},
    {"LineEndingOnLastColumn", TYPE_LINES, "....22222", 5, 5},
    {"VerticalEndingOnBottomRow", TYPE_LINES, "////...3/...3/...3/...3/...3", 5, 5},
    {"TwoLinesSharingTheirFirstCell", TYPE_LINES, "11111/1/1/1/1", 25, 9},
    {"DiagonalDownLeft", TYPE_LINES, "....4/...4/..4/.4/4", 5, 5},
    {"DiagonalDownRight", TYPE_LINES, "0/.0/..0/...0/....0", 5, 5},
    {"DiagonalsSharingOnlyTheirBottomBall", TYPE_LINES,
     "0.......0/.0.....0/..0...0/...0.0/....0", 10, 9},
    {"Block2x2", TYPE_BLOCKS, "11/11", 4, 4},
    {"Block3x2", TYPE_BLOCKS, "111/111", 12, 6},
    {"Block3x3CountsOnce", TYPE_BLOCKS, "222/222/222", 24, 9},
    {"BlockRowOf5IsNothing", TYPE_BLOCKS, "33333", 0, 0},
    {"BlockLShapeTakesNarrowestRow", TYPE_BLOCKS, "4444/44/44", 12, 6},
};

INSTANTIATE_TEST_SUITE_P(Cases, GroupScoring, ::testing::ValuesIn(GROUP_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimeBonus, FivePointsAt200PerPointAddOneSecondOnlyOnTimedLevels)
{
    for (int8_t goal : {GOAL_TIME, GOAL_SCORE}) {
        RecordingHost host;
        LevelDesign design;
        design.goal = goal;
        GamePtr game = startGame(host, design);
        layBoard(*game, "11111");
        int64_t before = game->timeBank;
        game->detectAll();
        EXPECT_EQ(game->timeBank - before, goal == GOAL_TIME ? 1000 : 0) << int(goal);
    }
}

// The full pass over a lines board takes a shortcut; it must leave exactly what calling
// detectAt on every cell in row order leaves, marker states included.
TEST(DetectAllLines, MatchesDetectAtOnEveryCell)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        LevelDesign design;
        int32_t w = 3 + int32_t(rng() % 10), h = 3 + int32_t(rng() % 10);
        design.rows.assign(h, std::string(w, '.'));
        design.lineLength = int8_t(int(rng() % 7) - 1);
        design.goal = GOAL_TIME;
        design.bonusPerPoint = int32_t(rng() % 300);
        RecordingHost hostA, hostB;
        GamePtr fast = startGame(hostA, design), slow = startGame(hostB, design);
        int32_t colours = 1 + int32_t(rng() % 3);
        for (int32_t i = 0; i < w * h; ++i) {
            int32_t kind = rng() % 5 == 0 ? KIND_FLOOR : KIND_BALL;
            int32_t colour = int32_t(rng() % colours), state = int32_t(rng() % 7);
            for (Game* g : {fast.get(), slow.get()}) {
                Cell& cell = g->cellAt(i % w, i / w);
                cell.kind = kind;
                cell.colour = colour;
                cell.state = state;
                cell.previousState = 0;
            }
        }
        bool fastAny = fast->detectAll(), slowAny = false;
        for (int32_t i = 0; i < w * h; ++i)
            slowAny |= slow->detectAt(i % w, i / w);
        ASSERT_EQ(fastAny, slowAny) << "round " << round;
        ASSERT_EQ(fast->score, slow->score) << "round " << round;
        ASSERT_EQ(fast->timeBank, slow->timeBank) << "round " << round;
        for (int32_t i = 0; i < w * h; ++i) {
            const Cell &a = fast->cellAt(i % w, i / w), &b = slow->cellAt(i % w, i / w);
            ASSERT_EQ(a.state, b.state) << "round " << round << " cell " << i;
            ASSERT_EQ(a.previousState, b.previousState) << "round " << round << " cell " << i;
        }
    }
}

} // namespace
} // namespace tintrow::testing
