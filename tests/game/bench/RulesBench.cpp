// Speed of the path search and of the full group pass on the largest board a level allows.
#include <benchmark/benchmark.h>

#include <random>

#include "game/GameFixture.h"

using namespace tintrow;
using namespace tintrow::testing;

namespace {

constexpr int32_t SIDE = 127;

GamePtr largestBoard(RecordingHost& host, int8_t gameType)
{
    LevelDesign design;
    design.gameType = gameType;
    design.rows.assign(SIDE, std::string(SIDE, '.'));
    GamePtr game = startGame(host, design);
    clearBoard(*game);
    return game;
}

void fillWithBalls(Game& game, int32_t colours)
{
    std::mt19937 rng(3);
    for (int32_t y = 0; y < SIDE; ++y)
        for (int32_t x = 0; x < SIDE; ++x)
            putBall(game, x, y, int32_t(rng() % colours));
}

void BM_FindPathToFarCorner(benchmark::State& state)
{
    RecordingHost host;
    GamePtr game = largestBoard(host, TYPE_LINES);
    putBall(*game, 0, 0, 0);
    game->selectedX = game->selectedY = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(game->findPath(SIDE - 1, SIDE - 1));
}
BENCHMARK(BM_FindPathToFarCorner)->Unit(benchmark::kMillisecond);

void BM_DetectAll(benchmark::State& state)
{
    RecordingHost host;
    GamePtr game = largestBoard(host, int8_t(state.range(0)));
    fillWithBalls(*game, int32_t(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        for (int32_t y = 0; y < SIDE; ++y)
            for (int32_t x = 0; x < SIDE; ++x)
                game->cellAt(x, y).state = STATE_NEUTRAL;
        state.ResumeTiming();
        benchmark::DoNotOptimize(game->detectAll());
    }
}
// Lines and blocks, with five colours and with a single colour (every ball in long lines).
BENCHMARK(BM_DetectAll)
    ->Args({TYPE_LINES, 5})
    ->Args({TYPE_LINES, 1})
    ->Args({TYPE_BLOCKS, 5})
    ->Args({TYPE_BLOCKS, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
