// Drawing costs at two screen sizes, each against memcpy of the same number of bytes.
#include "host/Window.h"
#include "lang/DString.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/game/DGameCanvas.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

const int SIZES[][2] = {{240, 320}, {480, 640}};

struct Screen {
    explicit Screen(const benchmark::State& state)
        : w(SIZES[state.range(0)][0]), h(SIZES[state.range(0)][1]), target(DImage::createImage(w, h)),
          g(target->getGraphics())
    {
    }
    int64_t bytes() const { return int64_t(w) * h * 2; }

    int w, h;
    DImagePtr target;
    DGraphicsPtr g;
};

// A full-screen picture with a quarter of its pixels in the key colour, scattered.
DImagePtr picture(int w, int h)
{
    DImagePtr img = DImage::createImage(w, h);
    uint32_t seed = 1;
    for (uint16_t& p : img->surface().pixels) {
        seed = seed * 1103515245 + 12345;
        p = (seed >> 16) % 4 == 0 ? host::KEY_COLOUR : uint16_t(seed >> 8);
    }
    return img;
}

void Memcpy(benchmark::State& state)
{
    Screen s(state);
    std::vector<uint16_t> from(s.w * s.h, 1);
    for (auto _ : state) {
        std::memcpy(s.target->surface().pixels.data(), from.data(), size_t(s.bytes()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * s.bytes());
}

void FillRect(benchmark::State& state)
{
    Screen s(state);
    s.g->setColor(0x336699);
    for (auto _ : state) {
        s.g->fillRect(0, 0, s.w, s.h);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * s.bytes());
}

void DrawImageKeyed(benchmark::State& state)
{
    Screen s(state);
    DImagePtr img = picture(s.w, s.h);
    for (auto _ : state) {
        s.g->drawImage(img, 0, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * s.bytes());
}

void DrawImageOpaque(benchmark::State& state)
{
    Screen s(state);
    DImagePtr img = picture(s.w, s.h);
    for (auto _ : state) {
        s.g->drawImageOpaque(img, 0, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * s.bytes());
}

void DrawRgbAlpha(benchmark::State& state)
{
    Screen s(state);
    lang::DintArrayPtr argb = new lang::DintArray(s.w * s.h);
    for (int i = 0; i < s.w * s.h; ++i)
        argb[i] = int32_t((uint32_t(i * 7) << 24) | uint32_t(i * 2654435761u >> 8));
    for (auto _ : state) {
        s.g->drawRGB(argb, 0, s.w, 0, 0, s.w, s.h, true);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * s.bytes());
}

void DrawString40(benchmark::State& state)
{
    Screen s(state);
    lang::DStringPtr text = new lang::DString(u"The quick brown fox jumps over a lazy do");
    s.g->setColor(0);
    for (auto _ : state) {
        s.g->drawString(text, 0, 10, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * text->length());
}

// The back buffer to the screen of a virtual window, as every painted tick does.
class MemoryWindow : public host::Window {
public:
    MemoryWindow(int w, int h) : device(w, h) {}
    host::Surface& screen() override { return device; }
    void present() override {}
    bool nextEvent(host::HostEvent&, int) override { return false; }
    bool hasDisplay() const override { return false; }
    host::Surface device;
};

void FlushGraphics(benchmark::State& state)
{
    int w = SIZES[state.range(0)][0], h = SIZES[state.range(0)][1];
    MemoryWindow window(w, h);
    DDisplayPtr display = new DDisplay(&window);
    lang::DPtr<game::DGameCanvas> canvas = new game::DGameCanvas();
    display->setCurrent(canvas);
    for (auto _ : state) {
        canvas->flushGraphics();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(w) * h * 2);
    display->setCurrent(nullptr);
}

// The same through a real SDL window (the dummy video driver unless a display is set).
void FlushToSdlWindow(benchmark::State& state)
{
    int w = SIZES[state.range(0)][0], h = SIZES[state.range(0)][1];
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    host::WindowOptions options;
    options.width = w;
    options.height = h;
    options.scale = 1;
    std::string error;
    std::unique_ptr<host::Window> window = host::openSdlWindow(options, error);
    if (!window) {
        state.SkipWithError(error.c_str());
        return;
    }
    uint16_t frame = 0;
    for (auto _ : state) {
        window->screen().pixels[0] = ++frame; // a changed picture, so it is really sent
        window->present();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(w) * h * 2);
}

} // namespace

BENCHMARK(Memcpy)->Arg(0)->Arg(1);
BENCHMARK(FillRect)->Arg(0)->Arg(1);
BENCHMARK(DrawImageKeyed)->Arg(0)->Arg(1);
BENCHMARK(DrawImageOpaque)->Arg(0)->Arg(1);
BENCHMARK(DrawRgbAlpha)->Arg(0)->Arg(1);
BENCHMARK(DrawString40)->Arg(0)->Arg(1);
BENCHMARK(FlushGraphics)->Arg(0)->Arg(1);
BENCHMARK(FlushToSdlWindow)->Arg(0)->Arg(1);
