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
    EXPECT_EQ((std::vector<int64_t>{game->gameType, game->goal, game->colourCount, game->nextCount,
                                    game->timeLimit, game->particleInterval, game->pointsToWin}),
              (std::vector<int64_t>{1, 2, 5, 10, 1, 21, -2}));
    EXPECT_EQ(game->cellAt(0, 0).kind, KIND_HOLE);
    EXPECT_EQ(game->cellAt(2, 2).kind, KIND_HOLE);
    EXPECT_NE(game->cellAt(1, 1).kind, KIND_HOLE);
    EXPECT_EQ(std::make_pair(game->cursorX, game->cursorY), std::make_pair(1, 0));
}

class RefusedLevel : public ::testing::TestWithParam<Damage> { };

// A missing level (no file at all) is refused the same way.
TEST_P(RefusedLevel, FailsAndLeavesTheGameAsItWas)
{
    RecordingHost host;
    GamePtr game = startGame(host, LevelDesign());
    if (GetParam().keep != -2)
        host.levels[1] = GetParam().applyTo(LevelDesign().bytes());
    int32_t width = game->width, kind = game->cellAt(8, 8).kind, backgrounds = host.backgrounds;
    EXPECT_TRUE(vela::lang::catchKind(vela::lang::IOException, [&] { game->setupLevel(1); }));
    EXPECT_EQ(game->width, width);
    EXPECT_EQ(game->cellAt(8, 8).kind, kind);
    EXPECT_EQ(host.backgrounds, backgrounds);
}

const Damage REFUSED_CASES[] = {
    {"Missing", 0, 9, -2},        {"Empty", 0, 9, 0},         {"ShortHeader", 0, 9, 20},
    {"ShortCells", 0, 9, 21 + 80}, {"ZeroWidth", 0, 0, -1},    {"NegativeHeight", 1, 0xF0, -1},
    {"NoColours", 4, 0, -1},      {"NegativeNextCount", 5, 0xFF, -1},
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
