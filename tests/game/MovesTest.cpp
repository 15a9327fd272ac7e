// Choosing balls and cells, the path search with its tie-breaks, and the travel.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

// The search as the rules state it, step by step: backward scans of the pool for the target
// and for known positions. The game's search indexes positions instead; results must agree.
Cells literalSearch(Game& game, int32_t tx, int32_t ty)
{
    struct Node {
        int32_t parent, x, y, depth;
        std::vector<int32_t> open;
    };
    static const int32_t DX[4] = {-1, 0, 1, 0}, DY[4] = {0, -1, 0, 1};
    std::vector<Node> pool;
    auto add = [&](int32_t parent, int32_t x, int32_t y, int32_t depth) {
        Node n{parent, x, y, depth, {}};
        for (int32_t d = 0; d < 4; ++d) {
            int32_t nx = x + DX[d], ny = y + DY[d];
            bool back = parent >= 0 && pool[size_t(parent)].x == nx && pool[size_t(parent)].y == ny;
            if (nx >= 0 && ny >= 0 && nx < game.width && ny < game.height && !back
                && game.cellAt(nx, ny).kind == KIND_FLOOR)
                n.open.push_back(d);
        }
        pool.push_back(n);
    };
    add(-1, game.selectedX, game.selectedY, 0);
    if (pool[0].open.empty())
        return {};
    int32_t found = -1;
    for (int32_t d = 0; d < game.width * game.height && found < 0; ++d) {
        size_t total = 0;
        for (int32_t i = int32_t(pool.size()) - 1; i >= 0 && found < 0; --i) {
            total += pool[size_t(i)].open.size();
            for (size_t k = 0; pool[size_t(i)].depth == d && k < pool[size_t(i)].open.size(); ++k)
                if (pool[size_t(i)].x + DX[pool[size_t(i)].open[k]] == tx
                    && pool[size_t(i)].y + DY[pool[size_t(i)].open[k]] == ty)
                    found = i;
            if (pool[size_t(i)].depth != d)
                break;
        }
        if (found >= 0 || total == 0)
            break;
        for (int32_t i = int32_t(pool.size()) - 1; i >= 0; --i) {
            for (size_t k = 0; pool[size_t(i)].depth == d && k < pool[size_t(i)].open.size(); ++k) {
                int32_t dir = pool[size_t(i)].open[k];
                int32_t x = pool[size_t(i)].x + DX[dir], y = pool[size_t(i)].y + DY[dir];
                bool known = false;
                for (const Node& other : pool)
                    known |= other.x == x && other.y == y;
                if (!known)
                    add(i, x, y, d + 1);
            }
        }
    }
    Cells cells;
    for (int32_t i = found; i >= 0; i = pool[size_t(i)].parent)
        cells.insert(cells.begin(), {pool[size_t(i)].x, pool[size_t(i)].y});
    return cells;
}

TEST_F(Moves, SearchAgreesWithTheStepwiseRuleOnRandomBoards)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        LevelDesign design;
        int32_t w = 2 + int32_t(rng() % 11), h = 2 + int32_t(rng() % 11);
        design.rows.assign(size_t(h), std::string(size_t(w), '.'));
        game = startGame(host, design);
        std::string picture;
        for (int32_t i = 0; i < w * h; ++i)
            picture += std::string(i % w == 0 && i ? "/" : "") + "....0#"[rng() % 6];
        int32_t sx = int32_t(rng() % uint32_t(w)), sy = int32_t(rng() % uint32_t(h));
        int32_t tx = int32_t(rng() % uint32_t(w)), ty = int32_t(rng() % uint32_t(h));
        picture[size_t(sy * (w + 1) + sx)] = 'B';
        layWithSelection(picture);
        game->cellAt(tx, ty).state = rng() % 2 ? STATE_PREVIEW : STATE_NEUTRAL;
        Cells expected = literalSearch(*game, tx, ty);
        ASSERT_EQ(game->findPath(tx, ty), !expected.empty()) << "round " << round;
        ASSERT_EQ(pathCells(*game), expected) << "round " << round;
    }
}

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

TEST_F(Moves, PanFollowsTheColumn)
{
    for (auto [column, pan] : {std::pair{0, -56}, {4, 0}, {8, 56}, {3, -14}})
        EXPECT_EQ(game->panForColumn(column), pan) << column;
}

} // namespace
} // namespace tintrow::testing
