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
    layBoard(*game, "");
    return game;
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

// Arguments: the game type and the number of colours (one colour puts every ball in lines).
void BM_DetectAll(benchmark::State& state)
{
    RecordingHost host;
    GamePtr game = largestBoard(host, int8_t(state.range(0)));
    std::mt19937 rng(3);
    for (int32_t i = 0; i < SIDE * SIDE; ++i)
        putBall(*game, i % SIDE, i / SIDE, int32_t(rng() % state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        for (int32_t i = 0; i < SIDE * SIDE; ++i)
            game->cellAt(i % SIDE, i / SIDE).state = STATE_NEUTRAL;
        state.ResumeTiming();
        benchmark::DoNotOptimize(game->detectAll());
    }
}
BENCHMARK(BM_DetectAll)
    ->Args({TYPE_LINES, 5})
    ->Args({TYPE_LINES, 1})
    ->Args({TYPE_BLOCKS, 5})
    ->Args({TYPE_BLOCKS, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
