// Speed of the game screen: one tick plus paint of a mid-game board on the real data.
#include <benchmark/benchmark.h>

#include "game/GameFixture.h"
#include "game/screen/ScreenStage.h"
#include "gamelib/GameContext.h"

using namespace gamelib;

namespace tintrow::testing {
namespace {

// A 9 x 9 timed level of the benchmark's own, past the shipped ones.
const int32_t TIMED_NINE_BY_NINE = 90;
const int32_t BALLS = 40;

// 40 balls beside a free middle column, one of them selected with a path shown down that
// column, 20 falling particles and the time bar half full.
void setUpMidGame(ScreenStage& stage)
{
    LevelDesign timed;
    timed.goal = GOAL_TIME;
    stage.writeLevel(TIMED_NINE_BY_NINE, timed);
    stage.startLevel(TIMED_NINE_BY_NINE);
    Game& game = stage.rules();
    layBoard(game, "");
    const int32_t corridor = game.width / 2;
    int32_t placed = 0;
    for (int32_t i = 0; i < game.width * game.height && placed < BALLS; ++i) {
        const int32_t x = i % game.width, y = i / game.width;
        if (x != corridor && game.cellAt(x, y).kind != KIND_HOLE)
            putBall(game, x, y, placed++ % game.colourCount);
    }
    game.choose(corridor - 1, 0); // the ball beside the top of the free column
    game.findPath(corridor, game.height - 1);
    game.targetX = corridor;
    game.targetY = game.height - 1;
}

void refreshEffects(ScreenStage& stage)
{
    Game& game = stage.rules();
    game.timeBank = game.timeLimit / 2;
    int32_t slot = 0;
    for (GameScreen::Particle& particle : stage.screen().particles) {
        particle.x = (slot * 37) % game.screenWidth;
        particle.y = (slot * 53) % game.screenHeight;
        particle.dy = 4;
        ++slot;
    }
}

void BM_GameTickAndPaintMidGame(benchmark::State& state)
{
    ScreenStage stage(int32_t(state.range(0)), int32_t(state.range(1)));
    setUpMidGame(stage);
    for (auto _ : state) {
        refreshEffects(stage);
        stage.tick();
        stage.screen().paint(GameContext::get().graphics);
    }
    if (stage.rules().turnState != TURN_PLAYER || stage.rules().foundNode < 0)
        state.SkipWithError("the board left the mid-game state");
}
BENCHMARK(BM_GameTickAndPaintMidGame)->Args({240, 320})->Args({480, 640})->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tintrow::testing
