// Choosing balls and cells, the path search with its tie-breaks, and the travel.
#include <gtest/gtest.h>

#include <algorithm>

#include "GameFixture.h"

namespace tintrow::testing {
namespace {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

Cells pathCells(Game& game)
{
    Cells cells;
    for (int32_t i = 0; game.path && i < game.path->length(); ++i)
        cells.emplace_back(game.nodes[game.path[i]].x, game.nodes[game.path[i]].y);
    return cells;
}

class Moves : public ::testing::Test {
protected:
    void SetUp() override { game = startGame(host, LevelDesign()); }
    // 'B' in the picture is the selected ball.
    void layWithSelection(std::string picture)
    {
        size_t at = picture.find('B');
        int32_t y = int32_t(std::count(picture.begin(), picture.begin() + at, '/'));
        picture[at] = '0';
        layBoard(*game, picture);
        game->selectedX = int32_t(at - (picture.rfind('/', at) + 1));
        game->selectedY = y;
    }

    RecordingHost host;
    GamePtr game;
};

struct PathCase {
    const char* name;
    const char* board;
    int32_t tx, ty;
    Cells expected; // empty: no path
};

class PathSearch : public Moves, public ::testing::WithParamInterface<PathCase> { };

TEST_P(PathSearch, FindsTheShortestPathWithItsTieBreaks)
{
    const PathCase& c = GetParam();
    layWithSelection(c.board);
    EXPECT_EQ(game->findPath(c.tx, c.ty), !c.expected.empty());
    EXPECT_EQ(pathCells(*game), c.expected);
    EXPECT_EQ(game->foundNode >= 0, !c.expected.empty());
}

const PathCase PATH_CASES[] = {
    {"NeighbourIsReachedFromTheStart", "B", 1, 0, {{0, 0}}},
    // Both two-step paths tie; the one through the node added last (down) wins.
    {"TieGoesToTheLastAddedNode", "B", 1, 1, {{0, 0}, {0, 1}}},
    // Three steps: (2,0) is added after (1,1), so the path runs along the top row.
    {"TieAmongLaterParents", "B", 2, 1, {{0, 0}, {1, 0}, {2, 0}}},
    {"DetourAroundAWall", "B#/.#", 2, 0, {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}}},
    {"PreviewIsATargetAndAPassage", "Bab", 2, 0, {{0, 0}, {1, 0}}},
    {"WalledInTargetFails", "B...1/...1.1/....1", 4, 1, {}},
    {"HoleIsNeverReached", "B.#", 2, 0, {}},
    {"BallWithoutFreeNeighbourFails", "B1/1", 4, 4, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, PathSearch, ::testing::ValuesIn(PATH_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Moves, ChoosingSelectsSwitchesAndRefuses)
{
    layBoard(*game, "1#.2");
    game->cellAt(3, 0).state = STATE_PLEASED;
    game->choose(5, 5); // floor with nothing selected
    game->choose(3, 0);
    EXPECT_EQ(game->cellAt(3, 0).state, STATE_SELECTED);
    EXPECT_EQ(game->cellAt(3, 0).previousState, STATE_PLEASED);
    game->choose(3, 0); // the selected ball again changes nothing
    EXPECT_EQ(game->cellAt(3, 0).state, STATE_SELECTED);
    game->choose(0, 0); // another ball: the first returns to its mood
    EXPECT_EQ(game->cellAt(3, 0).state, STATE_PLEASED);
    EXPECT_EQ(game->cellAt(3, 0).previousState, STATE_SELECTED);
    EXPECT_EQ(game->cellAt(0, 0).state, STATE_SELECTED);
    game->choose(1, 0); // a hole fails the search and keeps the selection
    EXPECT_EQ(game->selectedX, 0);
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    int32_t left = game->panForColumn(0);
    EXPECT_EQ(host.sounds, (std::vector<PlayedSound>{{SOUND_SELECT, game->panForColumn(3), false},
                                                     {SOUND_SELECT, left, false},
                                                     {SOUND_NO, left, false}}));
}

TEST_F(Moves, TravelTakesTwoTicksPerStepAndArrives)
{
    layBoard(*game, "3");
    game->choose(0, 0);
    game->choose(2, 0);
    ASSERT_EQ(game->turnState, TURN_TRAVELLING);
    EXPECT_EQ(game->cellAt(0, 0).kind, KIND_FLOOR);
    EXPECT_EQ(game->cellAt(0, 0).previousState, STATE_SELECTED);
    EXPECT_EQ(game->travelAnimation, 7 * 3 + 2);
    EXPECT_EQ(host.sounds.back(), (PlayedSound{SOUND_MOVE, game->panForColumn(0), true}));
    for (int tick = 0; tick < 3; ++tick) {
        game->tick();
        ASSERT_EQ(game->turnState, TURN_TRAVELLING) << "tick " << tick;
    }
    game->tick();
    EXPECT_EQ(game->cellAt(2, 0).kind, KIND_BALL);
    EXPECT_EQ(game->cellAt(2, 0).colour, 3);
    EXPECT_EQ(game->selectedX, -1);
    EXPECT_EQ(game->targetX, -1);
    EXPECT_EQ(game->turnState, TURN_SPAWNING);
    EXPECT_EQ(host.stopped, (std::vector<int32_t>{SOUND_MOVE}));
}

} // namespace
} // namespace tintrow::testing
