// Lines and blocks: what vanishes, what it scores, the time bonus and the fast full pass.
#include <gtest/gtest.h>

#include <random>

#include "GameFixture.h"

namespace tintrow::testing {
namespace {

struct GroupCase {
    const char* name;
    int8_t gameType;
    std::vector<std::string> board;
    int32_t points;
    int32_t vanishing;
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
    {"LineOf5", TYPE_LINES, {"11111...."}, 5, 5},
    {"LineOf6", TYPE_LINES, {"111111..."}, 15, 6},
    {"LineOf7", TYPE_LINES, {"1111111.."}, 30, 7},
    {"LineOf4IsNothing", TYPE_LINES, {"1111.1..."}, 0, 0},
    {"MixedColoursAreNothing", TYPE_LINES, {"11211...."}, 0, 0},
    {"LineEndingOnLastColumn", TYPE_LINES, {"....22222"}, 5, 5},
    {"VerticalEndingOnBottomRow",
     TYPE_LINES,
     {".........", ".........", ".........", ".........", "...3.....", "...3.....", "...3.....",
      "...3.....", "...3....."},
     5, 5},
    {"TwoLinesSharingTheirFirstCell",
     TYPE_LINES,
     {"11111....", "1........", "1........", "1........", "1........"},
     25, 9},
    {"DiagonalDownLeft",
     TYPE_LINES,
     {"....4....", "...4.....", "..4......", ".4.......", "4........"},
     5, 5},
    {"DiagonalDownRight",
     TYPE_LINES,
     {"0........", ".0.......", "..0......", "...0.....", "....0...."},
     5, 5},
    {"DiagonalsSharingOnlyTheirBottomBall",
     TYPE_LINES,
     {"0.......0", ".0.....0.", "..0...0..", "...0.0...", "....0...."},
     10, 9},
    {"Block2x2", TYPE_BLOCKS, {"11.......", "11......."}, 4, 4},
    {"Block3x2", TYPE_BLOCKS, {"111......", "111......"}, 12, 6},
    {"Block3x3CountsOnce", TYPE_BLOCKS, {"222......", "222......", "222......"}, 24, 9},
    {"BlockRowOf5IsNothing", TYPE_BLOCKS, {"33333...."}, 0, 0},
    // The narrowest row bounds the rectangle: 2 wide over three rows.
    {"BlockLShapeTakesNarrowestRow",
     TYPE_BLOCKS,
     {"4444.....", "44.......", "44......."},
     12, 6},
};

INSTANTIATE_TEST_SUITE_P(Cases, GroupScoring, ::testing::ValuesIn(GROUP_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimeBonus, FivePointsAt200PerPointAddOneSecond)
{
    RecordingHost host;
    LevelDesign design;
    design.goal = GOAL_TIME;
    design.bonusPerPoint = 200;
    GamePtr game = startGame(host, design);
    layBoard(*game, {"11111...."});
    int64_t before = game->timeBank;
    game->detectAll();
    EXPECT_EQ(game->timeBank - before, 1000);
}

TEST(TimeBonus, NoTimeGoalLeavesTheBank)
{
    RecordingHost host;
    LevelDesign design;
    design.goal = GOAL_SCORE;
    GamePtr game = startGame(host, design);
    layBoard(*game, {"11111...."});
    int64_t before = game->timeBank;
    game->detectAll();
    EXPECT_EQ(game->timeBank, before);
}

// The full pass over a lines board takes a shortcut; it must leave exactly what calling
// detectAt on every cell in row order leaves, marker states included.
TEST(DetectAllLines, MatchesDetectAtOnEveryCell)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        LevelDesign design;
        int32_t w = 3 + int32_t(rng() % 10);
        int32_t h = 3 + int32_t(rng() % 10);
        design.rows.assign(h, std::string(w, '.'));
        design.lineLength = int8_t(int(rng() % 7) - 1);
        design.goal = GOAL_TIME;
        design.bonusPerPoint = int32_t(rng() % 300);
        RecordingHost hostA, hostB;
        GamePtr fast = startGame(hostA, design);
        GamePtr slow = startGame(hostB, design);
        int32_t colours = 1 + int32_t(rng() % 3);
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                int32_t kind = rng() % 5 == 0 ? KIND_FLOOR : KIND_BALL;
                int32_t colour = int32_t(rng() % colours);
                int32_t state = int32_t(rng() % 7);
                for (Game* g : {fast.get(), slow.get()}) {
                    Cell& cell = g->cellAt(x, y);
                    cell.kind = kind;
                    cell.colour = colour;
                    cell.state = state;
                    cell.previousState = 0;
                }
            }
        }
        bool fastAny = fast->detectAll();
        bool slowAny = false;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                slowAny |= slow->detectAt(x, y);
        ASSERT_EQ(fastAny, slowAny) << "round " << round;
        ASSERT_EQ(fast->score, slow->score) << "round " << round;
        ASSERT_EQ(fast->timeBank, slow->timeBank) << "round " << round;
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                ASSERT_EQ(fast->cellAt(x, y).state, slow->cellAt(x, y).state);
                ASSERT_EQ(fast->cellAt(x, y).previousState, slow->cellAt(x, y).previousState)
                    << "round " << round << " cell " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace tintrow::testing
