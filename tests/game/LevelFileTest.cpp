// Level files and the board: what is clamped on reading, files refused without harm, geometry
// and placement.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "lang/DExceptionBase.h"

namespace tintrow::testing {
namespace {

TEST(LevelFile, ClampsAsTheGameReadsItAndTakesItsHoles)
{
    RecordingHost host;
    LevelDesign design;
    design.gameType = 3;
    design.goal = 7;
    design.colourCount = 9;
    design.nextCount = 12;
    design.timeLimit = -5;
    design.particleRate = 500;
    design.pointsToWin = -2;
    design.rows = {"#..", "...", "..#"};
    GamePtr game = startGame(host, design);
    EXPECT_EQ(game->gameType, 1);
    EXPECT_EQ(game->goal, 2);
    EXPECT_EQ(game->colourCount, 5);
    EXPECT_EQ(game->nextCount, 10);
    EXPECT_EQ(game->timeLimit, 1);
    EXPECT_EQ(game->particleInterval, 21);
    EXPECT_EQ(game->pointsToWin, -2);
    EXPECT_EQ(game->cellAt(0, 0).kind, KIND_HOLE);
    EXPECT_EQ(game->cellAt(2, 2).kind, KIND_HOLE);
    EXPECT_NE(game->cellAt(1, 1).kind, KIND_HOLE);
    EXPECT_EQ(game->cursorX, 1);
    EXPECT_EQ(game->cursorY, 0);
}

struct RefusedCase {
    const char* name;
    int32_t keep; // bytes kept: -1 all of them, -2 no file at all
    size_t offset;
    uint8_t value;
};

class RefusedLevel : public ::testing::TestWithParam<RefusedCase> { };

TEST_P(RefusedLevel, FailsAndLeavesTheGameAsItWas)
{
    const RefusedCase& c = GetParam();
    RecordingHost host;
    GamePtr game = startGame(host, LevelDesign());
    std::vector<uint8_t> bytes = LevelDesign().bytes();
    bytes[c.offset] = c.value;
    if (c.keep >= 0)
        bytes.resize(size_t(c.keep));
    if (c.keep != -2)
        host.levels[1] = bytes;
    int32_t width = game->width, kind = game->cellAt(8, 8).kind, backgrounds = host.backgrounds;
    bool threw = false;
    try {
        game->setupLevel(1);
    } catch (vela::lang::DExceptionBase* e) {
        threw = vela::lang::DExceptionBase::isKind(e, vela::lang::IOException);
        delete e;
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(game->width, width);
    EXPECT_EQ(game->cellAt(8, 8).kind, kind);
    EXPECT_EQ(host.backgrounds, backgrounds);
}

const RefusedCase REFUSED_CASES[] = {
    {"Missing", -2, 0, 9},
    {"Empty", 0, 0, 9},
    {"ShortHeader", 20, 0, 9},
    {"ShortCells", 21 + 80, 0, 9},
    {"ZeroWidth", -1, 0, 0},
    {"NegativeHeight", -1, 1, 0xF0},
    {"NoColours", -1, 4, 0},
    {"NegativeNextCount", -1, 5, 0xFF},
};

INSTANTIATE_TEST_SUITE_P(Cases, RefusedLevel, ::testing::ValuesIn(REFUSED_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// A 9 × 9 board of 20-pixel cells on a 240 × 320 screen starts at (30, 74); a point left of
// the board truncates toward zero.
TEST(Board, ScreenPointsMapToCells)
{
    RecordingHost host;
    GamePtr game = startGame(host, LevelDesign());
    game->setScreenGeometry(240, 320, 20);
    EXPECT_EQ(game->originX, 30);
    EXPECT_EQ(game->originY, 74);
    const int32_t cases[][4] = {
        {30, 74, 0, 0}, {49, 93, 0, 0}, {50, 94, 1, 1}, {25, 80, 0, 0}, {209, 253, 8, 8},
        {5, 74, -1, 0},
    };
    for (const auto& c : cases) {
        int32_t x = -9, y = -9;
        game->cellUnderPoint(c[0], c[1], x, y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(c[2], c[3])) << c[0] << "," << c[1];
    }
}

TEST(Board, FindFirstOfKindAppliesStartColumnToEveryRow)
{
    RecordingHost host;
    LevelDesign design;
    design.rows = {"###", ".##", "##."};
    GamePtr game = startGame(host, design);
    layBoard(*game, "");
    int32_t x = -1, y = -1;
    ASSERT_TRUE(game->findFirstOfKind(2, 0, KIND_FLOOR, x, y));
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(2, 2));
}

TEST(Board, PlacementFailsOnAFullBoardWithoutChange)
{
    RecordingHost host;
    LevelDesign design;
    design.rows = {"...", "..."};
    GamePtr game = startGame(host, design);
    layBoard(*game, "012/34a");
    CellPtr next = new Cell();
    next->kind = KIND_BALL;
    next->x = 7;
    EXPECT_FALSE(game->placeAtRandomFreeCell(*next));
    EXPECT_EQ(next->x, 7);
    EXPECT_EQ(game->cellAt(2, 1).kind, KIND_FLOOR);
}

// The walk goes on from the drawn cell in row order, so the floor cell after a run of balls
// is taken; which cell is drawn comes from the game's own generator.
TEST(Board, PlacementWalksOnFromTheDrawnCell)
{
    RecordingHost host;
    GamePtr game = startGame(host, LevelDesign());
    for (int round = 0; round < 20; ++round) {
        layBoard(*game, "");
        vela::util::DRandom copy(0);
        copy.setState(game->random->getState());
        int32_t x0 = std::abs(copy.nextInt() % 9), y0 = std::abs(copy.nextInt() % 9);
        int32_t start = y0 * 9 + x0;
        for (int32_t k = 0; k < 4; ++k) // the drawn cell and the three after it hold balls
            putBall(*game, (start + k) % 81 % 9, (start + k) % 81 / 9, 0);
        CellPtr next = new Cell();
        next->kind = KIND_BALL;
        next->colour = 3;
        ASSERT_TRUE(game->placeAtRandomFreeCell(*next));
        EXPECT_EQ(next->y * 9 + next->x, (start + 4) % 81);
        EXPECT_EQ(game->cellAt(next->x, next->y).colour, 3);
    }
}

} // namespace
} // namespace tintrow::testing
