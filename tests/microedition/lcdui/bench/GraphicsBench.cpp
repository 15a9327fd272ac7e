// Drawing costs at two screen sizes, each against memcpy of the same number of bytes.
#include "lang/DString.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/game/DGameCanvas.h"
#include "support/FakeWindow.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <functional>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

const int SIZES[][2] = {{240, 320}, {480, 640}};

// Everything an operation may draw with, made before the timing starts.
struct Screen {
    int w, h;
    DImagePtr target = DImage::createImage(w, h);
    DGraphicsPtr g = target->getGraphics();
    DImagePtr picture = DImage::createImage(w, h); // a quarter of it in the key colour, scattered
    lang::DintArrayPtr argb = new lang::DintArray(w * h);
    lang::DStringPtr text = new lang::DString(u"The quick brown fox jumps over a lazy do");

    Screen(int w, int h) : w(w), h(h)
    {
        uint32_t seed = 1;
        for (uint16_t& p : picture->surface().pixels) {
            seed = seed * 1103515245 + 12345;
            p = (seed >> 16) % 4 == 0 ? host::KEY_COLOUR : uint16_t(seed >> 8);
        }
        for (int i = 0; i < w * h; ++i)
            argb[i] = int32_t((uint32_t(i * 7) << 24) | uint32_t(i * 2654435761u >> 8));
        g->setColor(0x336699);
    }
};

// Bytes processed are those of the whole screen, so every figure compares with memcpy; text
// counts characters instead.
void Draw(benchmark::State& state, std::function<void(Screen&)> op, bool text = false)
{
    Screen s(SIZES[state.range(0)][0], SIZES[state.range(0)][1]);
    std::vector<uint16_t> from(s.w * s.h, 1);
    for (auto _ : state) {
        if (op)
            op(s);
        else
            std::memcpy(s.target->surface().pixels.data(), from.data(), from.size() * 2);
        benchmark::ClobberMemory();
    }
    if (text)
        state.SetItemsProcessed(state.iterations() * s.text->length());
    else
        state.SetBytesProcessed(state.iterations() * int64_t(s.w) * s.h * 2);
}

// The back buffer to the screen of a window, in memory and through SDL (the dummy video driver
// unless a display is set), as every painted tick does.
void Flush(benchmark::State& state, bool sdl)
{
    int w = SIZES[state.range(0)][0], h = SIZES[state.range(0)][1];
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    host::WindowOptions options;
    options.width = w;
    options.height = h;
    options.scale = 1;
    std::string error;
    std::unique_ptr<host::Window> window =
        sdl ? host::openSdlWindow(options, error) : std::unique_ptr<host::Window>(new support::FakeWindow(w, h));
    if (!window)
        return state.SkipWithError(error.c_str());
    DDisplayPtr display = new DDisplay(window.get());
    lang::DPtr<game::DGameCanvas> canvas = new game::DGameCanvas();
    display->setCurrent(canvas);
    for (auto _ : state) {
        canvas->backBuffer().pixels[0]++; // a changed picture, so it is really sent
        canvas->flushGraphics();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(w) * h * 2);
    display->setCurrent(nullptr);
}

} // namespace

BENCHMARK_CAPTURE(Draw, Memcpy, nullptr)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Draw, FillRect, [](Screen& s) { s.g->fillRect(0, 0, s.w, s.h); })->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Draw, DrawImageKeyed, [](Screen& s) { s.g->drawImage(s.picture, 0, 0, 0); })->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Draw, DrawImageOpaque, [](Screen& s) { s.g->drawImageOpaque(s.picture, 0, 0, 0); })->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Draw, DrawRgbAlpha, [](Screen& s) { s.g->drawRGB(s.argb, 0, s.w, 0, 0, s.w, s.h, true); })
    ->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Draw, DrawString40, [](Screen& s) { s.g->drawString(s.text, 0, 10, 0); }, true)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Flush, ToMemory, false)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(Flush, ToSdlWindow, true)->Arg(0)->Arg(1);
