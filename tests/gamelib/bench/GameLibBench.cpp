// Benchmarks of the game library on the built game.dat beside the benchmark: sprite and text
// drawing, parsing the game's sprite set and start-up to the logo.
#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/ImageManager.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"
#include "support/FakeWindow.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vela::lang;
using namespace gamelib;
namespace hooks = vela::lang::host;

namespace {

// A display with the screen canvas over the game.dat beside the benchmark, the 240 x 320
// resolution file read and its search path set, as start-up does before the logo.
struct Stage {
    Stage()
    {
        const std::string folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
        hooks::setProgramFile(folder + "/tintrow");
        GameContext::reset();
        display = new vela::microedition::lcdui::DDisplay(&window);
        GameContext::get().canvas = new ScreenCanvas();
        display->setCurrent(GameContext::get().canvas);
        vela::io::openArchive(new DString(u"game.dat"));
        GameContext::get().screenSupported = Resources::isResolutionSupported(240, 320);
        StringManagerPtr settings = new StringManager();
        settings->load(Resources::resolutionFileName(240, 320), false);
        Resources::setSearchPath(settings->get(u"PATH"));
    }
    ~Stage()
    {
        vela::io::closeArchive();
        display->setCurrent(nullptr);
        GameContext::reset();
        Fonts::release();
        hooks::setProgramFile("");
    }
    bool ready() const { return vela::io::isArchiveOpen() && GameContext::get().screenSupported; }

    support::FakeWindow window{240, 320};
    vela::microedition::lcdui::DDisplayPtr display;
};

// The argument picks the work: 0 parses the game's sprite set, 1 draws its first animation,
// 2 draws 40 characters in the game font.
void BM_GameArt(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready())
        return state.SkipWithError("no game.dat beside the benchmark");
    ImageManagerPtr sprites = new ImageManager();
    sprites->load(u"img/Game");
    Fonts::loadFonts(new DString());
    Fonts::setCurrentFont(Fonts::GAME);
    DStringPtr text = new DString(u"The quick brown fox jumps over 13 lazy d");
    auto g = GameContext::get().graphics;
    int32_t frame = 0;
    for (auto _ : state) {
        if (state.range(0) == 0)
            sprites->load(u"img/Game");
        else if (state.range(0) == 1)
            frame = sprites->drawAnimation(g, 0, 40, 100, frame, 1, false);
        else
            Fonts::drawString(g, text, 0, 100, 0);
    }
    state.SetLabel(state.range(0) == 0 ? "parse sprite set" : state.range(0) == 1 ? "draw animation" : "draw text");
}
BENCHMARK(BM_GameArt)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// What start-up does before the logo's first flush: archive, canvas, resolution check and
// file, the four fonts, the logo picture.
void BM_StartUpToLogoFlush(benchmark::State& state)
{
    for (auto _ : state) {
        Stage stage;
        if (!stage.ready())
            return state.SkipWithError("no game.dat beside the benchmark");
        Fonts::loadFonts(new DString());
        GameContext::get().graphics->drawImage(Resources::loadImage(u"img/vandrel"), 120, 160, 3);
        GameContext::get().canvas->flushGraphics();
    }
}
BENCHMARK(BM_StartUpToLogoFlush)->Unit(benchmark::kMillisecond);

} // namespace
