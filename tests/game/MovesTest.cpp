// Choosing balls and cells, the path search with its tie-breaks, and the travel.
#include <gtest/gtest.h>

#include <random>

#include "GameFixture.h"

namespace tintrow::testing {
namespace {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

Cells pathCells(Game& game)
{
    Cells cells;
    for (int32_t i = 0; game.path && i < game.path->length(); ++i) {
        const PathNode& node = game.nodes[game.path[i]];
        cells.emplace_back(node.x, node.y);
    }
    return cells;
}

class Moves : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = startGame(host, LevelDesign());
        clearBoard(*game);
    }
    void select(int32_t x, int32_t y)
    {
        game->selectedX = x;
        game->selectedY = y;
    }

    RecordingHost host;
    GamePtr game;
};

struct PathCase {
    const char* name;
    std::vector<std::string> board; // 'B' the moving ball, digits other balls, '#' holes
    int32_t tx, ty;
    Cells expected; // empty: no path
};

class PathSearch : public Moves, public ::testing::WithParamInterface<PathCase> { };

TEST_P(PathSearch, FindsTheShortestPathWithItsTieBreaks)
{
    const PathCase& c = GetParam();
    std::vector<std::string> rows = c.board;
    for (int32_t y = 0; y < int32_t(rows.size()); ++y) {
        size_t x = rows[y].find('B');
        if (x != std::string::npos) {
            rows[y][x] = '0';
            select(int32_t(x), y);
        }
    }
    layBoard(*game, rows);
    EXPECT_EQ(game->findPath(c.tx, c.ty), !c.expected.empty());
    EXPECT_EQ(pathCells(*game), c.expected);
    EXPECT_EQ(game->foundNode >= 0, !c.expected.empty());
}

const PathCase PATH_CASES[] = {
    {"NeighbourIsReachedFromTheStart", {"B........"}, 1, 0, {{0, 0}}},
    // Both two-step paths tie; the one through the node added last (down) wins.
    {"TieGoesToTheLastAddedNode", {"B........"}, 1, 1, {{0, 0}, {0, 1}}},
    // Three steps: (2,0) is added after (1,1), so the path runs along the top row.
    {"TieAmongLaterParents", {"B........"}, 2, 1, {{0, 0}, {1, 0}, {2, 0}}},
    {"DetourAroundAWall",
     {"B#.......", ".#.......", "........."},
     2, 0, {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}}},
    {"WalledInTargetFails", {"B...1....", "...1.1...", "....1...."}, 4, 1, {}},
    {"HoleIsNeverReached", {"B.#......"}, 2, 0, {}},
    {"BallWithoutFreeNeighbourFails", {"B1.......", "1........"}, 4, 4, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, PathSearch, ::testing::ValuesIn(PATH_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The search as the rules state it, step by step: backward scans of the pool for the target
// and for known positions. The game's search indexes positions instead; results must agree.
struct LiteralNode {
    int32_t parent, x, y, depth;
    std::vector<int32_t> open;
};

Cells literalSearch(Game& game, int32_t tx, int32_t ty)
{
    static const int32_t DX[4] = {-1, 0, 1, 0}, DY[4] = {0, -1, 0, 1};
    std::vector<LiteralNode> pool;
    auto collect = [&](LiteralNode& n) {
        for (int32_t d = 0; d < 4; ++d) {
            int32_t x = n.x + DX[d], y = n.y + DY[d];
            bool parent = n.parent >= 0 && pool[size_t(n.parent)].x == x
                && pool[size_t(n.parent)].y == y;
            if (x >= 0 && y >= 0 && x < game.width && y < game.height && !parent
                && game.cellAt(x, y).kind == KIND_FLOOR)
                n.open.push_back(d);
        }
    };
    pool.push_back({-1, game.selectedX, game.selectedY, 0, {}});
    collect(pool[0]);
    if (pool[0].open.empty())
        return {};
    int32_t found = -1;
    for (int32_t d = 0; d < game.width * game.height && found < 0; ++d) {
        size_t total = 0;
        for (int32_t i = int32_t(pool.size()) - 1; i >= 0 && found < 0; --i) {
            total += pool[size_t(i)].open.size();
            if (pool[size_t(i)].depth != d)
                break;
            for (int32_t dir : pool[size_t(i)].open)
                if (pool[size_t(i)].x + DX[dir] == tx && pool[size_t(i)].y + DY[dir] == ty)
                    found = i;
        }
        if (found >= 0)
            break;
        if (total == 0)
            return {};
        for (int32_t i = int32_t(pool.size()) - 1; i >= 0; --i) {
            if (pool[size_t(i)].depth != d)
                continue;
            for (size_t k = 0; k < pool[size_t(i)].open.size(); ++k) {
                int32_t dir = pool[size_t(i)].open[k];
                int32_t x = pool[size_t(i)].x + DX[dir], y = pool[size_t(i)].y + DY[dir];
                bool known = false;
                for (int32_t j = int32_t(pool.size()) - 1; j >= 0 && !known; --j)
                    known = pool[size_t(j)].x == x && pool[size_t(j)].y == y;
                if (known)
                    continue;
                pool.push_back({i, x, y, d + 1, {}});
                collect(pool.back());
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
        int32_t w = 2 + int32_t(rng() % 11);
        int32_t h = 2 + int32_t(rng() % 11);
        design.rows.assign(size_t(h), std::string(size_t(w), '.'));
        game = startGame(host, design);
        std::vector<std::string> rows(size_t(h), std::string(size_t(w), '.'));
        for (std::string& row : rows)
            for (char& c : row)
                c = "....0#"[rng() % 6];
        int32_t sx = int32_t(rng() % uint32_t(w)), sy = int32_t(rng() % uint32_t(h));
        int32_t tx = int32_t(rng() % uint32_t(w)), ty = int32_t(rng() % uint32_t(h));
        rows[size_t(sy)][size_t(sx)] = '0';
        layBoard(*game, rows);
        game->cellAt(tx, ty).state = rng() % 2 ? STATE_PREVIEW : STATE_NEUTRAL;
        select(sx, sy);
        Cells expected = literalSearch(*game, tx, ty);
        ASSERT_EQ(game->findPath(tx, ty), !expected.empty()) << "round " << round;
        ASSERT_EQ(pathCells(*game), expected) << "round " << round;
    }
}

TEST_F(Moves, PreviewIsAValidTargetAndPassage)
{
    layBoard(*game, {"0.......", "........"});
    game->cellAt(1, 0).state = STATE_PREVIEW;
    game->cellAt(2, 0).state = STATE_PREVIEW;
    select(0, 0);
    ASSERT_TRUE(game->findPath(2, 0));
    EXPECT_EQ(pathCells(*game), (Cells{{0, 0}, {1, 0}}));
}

TEST_F(Moves, FailedSearchKeepsSelectionAndSaysNo)
{
    layBoard(*game, {"0.#......"});
    game->choose(0, 0);
    host.sounds.clear();
    game->choose(2, 0);
    EXPECT_EQ(game->selectedX, 0);
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    ASSERT_EQ(host.sounds.size(), 1u);
    EXPECT_EQ(host.sounds[0], (PlayedSound{SOUND_NO, game->panForColumn(0), false}));
}

TEST_F(Moves, ChoosingAnotherBallRestoresTheFirstMood)
{
    layBoard(*game, {"1.2......"});
    game->cellAt(0, 0).state = STATE_PLEASED;
    game->choose(0, 0);
    EXPECT_EQ(game->cellAt(0, 0).state, STATE_SELECTED);
    EXPECT_EQ(game->cellAt(0, 0).previousState, STATE_PLEASED);
    game->choose(2, 0);
    EXPECT_EQ(game->cellAt(0, 0).state, STATE_PLEASED);
    EXPECT_EQ(game->cellAt(0, 0).previousState, STATE_SELECTED);
    EXPECT_EQ(game->cellAt(2, 0).state, STATE_SELECTED);
    EXPECT_EQ(game->selectedX, 2);
    EXPECT_EQ(host.soundNumbers(), (std::vector<int32_t>{SOUND_SELECT, SOUND_SELECT}));
    EXPECT_EQ(host.sounds[1].pan, game->panForColumn(2));
}

TEST_F(Moves, ChoosingTheSelectedBallAgainChangesNothing)
{
    layBoard(*game, {"1........"});
    game->choose(0, 0);
    host.sounds.clear();
    game->choose(0, 0);
    EXPECT_EQ(game->cellAt(0, 0).state, STATE_SELECTED);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(Moves, FloorWithoutSelectionDoesNothing)
{
    game->choose(3, 3);
    EXPECT_EQ(game->turnState, TURN_PLAYER);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(Moves, TravelTakesTwoTicksPerStepAndArrives)
{
    layBoard(*game, {"3........"});
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

TEST(Pan, FollowsTheColumn)
{
    RecordingHost host;
    GamePtr game = startGame(host, LevelDesign());
    const std::pair<int32_t, int32_t> cases[] = {{0, -56}, {4, 0}, {8, 56}, {3, -14}};
    for (auto [column, pan] : cases)
        EXPECT_EQ(game->panForColumn(column), pan) << column;
}

} // namespace
} // namespace tintrow::testing
