// Benchmarks of the game library: scheduler tick, sprite and text drawing, parsing, start-up.
#include "BenchData.h"
#include "gamelib/FakeWindow.h"

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/GameFlow.h"
#include "gamelib/GameLib.h"
#include "gamelib/ImageManager.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace vela::lang;
using namespace gamelib;
namespace hooks = vela::lang::host;
using vela::microedition::lcdui::DDisplay;
using vela::microedition::lcdui::DDisplayPtr;
using vela::microedition::midlet::DMIDlet;

namespace {

// Half a period per read: every pass of the scheduler (two reads) is one tick.
uint64_t fakeNow = 0;
uint64_t steppingClock()
{
    return fakeNow += 21;
}

class EmptyFlow : public GameFlow {
public:
    void startUp() override {}
    void tick() override {}
    void paint(const vela::microedition::lcdui::DGraphicsPtr&) override {}
    void pause() override {}
    void shutdown() override {}
};

GameFlowPtr makeEmptyFlow()
{
    return new EmptyFlow();
}

// A display with the screen canvas over the given program folder's archive.
struct Stage {
    explicit Stage(const std::string& folder)
    {
        hooks::setProgramFile(folder + "/tintrow");
        GameContext::reset();
        display = new DDisplay(&window);
        GameContext::get().canvas = new ScreenCanvas();
        display->setCurrent(GameContext::get().canvas);
        vela::io::openArchive(new DString(u"game.dat"));
    }
    ~Stage()
    {
        vela::io::closeArchive();
        display->setCurrent(nullptr);
        GameContext::reset();
        Fonts::release();
        hooks::setProgramFile("");
    }
    FakeWindow window{240, 320};
    DDisplayPtr display;
};

void BM_SchedulerTickEmptyGame(benchmark::State& state)
{
    Stage stage(bench::syntheticProgramFolder());
    GameContext& context = GameContext::get();
    context.screenSupported = true;
    context.game = makeEmptyFlow();
    vela::lang::DPtr<GameLib> app = new GameLib(makeEmptyFlow);
    hooks::setTickSource(steppingClock);
    context.scheduler.restart();
    for (auto _ : state) {
        context.canvas->keyPressed(50);
        app->tick();
    }
    hooks::setTickSource(nullptr);
}
BENCHMARK(BM_SchedulerTickEmptyGame);

void BM_DrawAnimationTenParts(benchmark::State& state)
{
    Stage stage(bench::syntheticProgramFolder());
    ImageManagerPtr sprites = new ImageManager();
    sprites->load(u"img/Game");
    auto g = GameContext::get().graphics;
    int32_t frame = 0;
    for (auto _ : state)
        frame = sprites->drawAnimation(g, 0, 40, 100, frame, 1, false);
    benchmark::DoNotOptimize(frame);
}
BENCHMARK(BM_DrawAnimationTenParts);

void BM_DrawString40Characters(benchmark::State& state)
{
    Stage stage(bench::syntheticProgramFolder());
    Resources::setSearchPath(DStringPtr(new DString(u"img/")));
    Fonts::loadFonts(new DString());
    Fonts::setCurrentFont(Fonts::GAME);
    DStringPtr text = new DString(u"The quick brown fox jumps over 13 lazy d");
    auto g = GameContext::get().graphics;
    for (auto _ : state)
        Fonts::drawString(g, text, 0, 100, 0);
}
BENCHMARK(BM_DrawString40Characters);

void BM_ParseGameSpriteSet(benchmark::State& state)
{
    std::string folder = bench::realProgramFolder();
    if (folder.empty()) {
        state.SkipWithError("game.dat is not built beside the benchmark");
        return;
    }
    Stage stage(folder);
    StringManagerPtr settings = new StringManager();
    settings->load(Resources::resolutionFileName(240, 320), false);
    Resources::setSearchPath(settings->get(u"PATH"));
    ImageManagerPtr sprites = new ImageManager();
    for (auto _ : state)
        sprites->load(u"img/Game");
    state.counters["rectangles"] = sprites->imageCount();
    state.counters["animations"] = sprites->animationCount();
}
BENCHMARK(BM_ParseGameSpriteSet)->Unit(benchmark::kMillisecond);

// What start-up does before the logo's first flush: archive, canvas, resolution check and
// file, the four fonts, the logo picture.
void BM_StartUpToLogoFlush(benchmark::State& state)
{
    std::string folder = bench::realProgramFolder();
    if (folder.empty())
        folder = bench::syntheticProgramFolder();
    for (auto _ : state) {
        Stage stage(folder);
        GameContext& context = GameContext::get();
        context.screenSupported = Resources::isResolutionSupported(240, 320);
        StringManagerPtr settings = new StringManager();
        settings->load(Resources::resolutionFileName(240, 320), false);
        Resources::setSearchPath(settings->get(u"PATH"));
        Fonts::loadFonts(new DString());
        auto logo = Resources::loadImage(u"img/vandrel");
        context.graphics->drawImage(logo, 120, 160, 3);
        context.canvas->flushGraphics();
    }
}
BENCHMARK(BM_StartUpToLogoFlush)->Unit(benchmark::kMillisecond);

}
