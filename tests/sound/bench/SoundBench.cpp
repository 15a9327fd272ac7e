// Mixing speed (real-time multiples) and whole-process rendering against openmpt123.
#include "sound/SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace soundtest;

namespace {

// A busy song: every track plays notes with pitch and volume effects on most rows.
Bytes busyModule(int tracks, int orders)
{
    ModuleBuilder builder(tracks, tracks == 4 ? "M.K." : std::to_string(tracks) + "CHN");
    std::vector<int> order;
    for (int i = 0; i < orders; ++i)
        order.push_back(i % 2);
    builder.setOrders(order);
    for (int instrument = 1; instrument <= 4; ++instrument) {
        std::vector<int8_t> wave(8000);
        for (size_t i = 0; i < wave.size(); ++i)
            wave[i] = static_cast<int8_t>(((i * instrument) % 200) - 100);
        builder.setSample(instrument, wave, 48, instrument, 500, 3000);
    }
    const Cell effects[] = {{0, 0, 4, 0x46}, {0, 0, 0, 0x37}, {0, 0, 0xA, 0x01}, {0, 0, 1, 2}, {0, 0, 6, 0x10}};
    const int periods[] = {856, 640, 428, 320, 214, 170};
    for (int pattern = 0; pattern < 2; ++pattern)
        for (int row = 0; row < 64; ++row)
            for (int track = 0; track < tracks; ++track) {
                Cell cell = effects[(row + track) % 5];
                if ((row + track) % 4 == 0) {
                    cell.instrument = 1 + (row + track) % 4;
                    cell.period = periods[(row * 3 + track) % 6];
                }
                builder.setCell(pattern, row, track, cell);
            }
    return builder.build();
}

Bytes stereoSound()
{
    std::vector<int16_t> samples(2 * 22050);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
    return makeWave(pcmFormat(2, 22050, 16), pcm16(samples));
}

void mixOneSecond(benchmark::State& state, int tracks, int sounds)
{
    Bytes moduleFile = busyModule(tracks, 8);
    hssMusic music;
    music.load(moduleFile.data(), moduleFile.size());
    music.loop = true;
    Bytes soundFile = stereoSound();
    hssSound sound;
    sound.load(soundFile.data(), soundFile.size());
    sound.loop = true;
    MemoryEngine engine(44100, 16, 1, 1, 8);
    engine.speaker.playMusic(&music);
    for (int i = 0; i < sounds; ++i) {
        engine.speaker.playSound(&sound);
        engine.render(441 * 7);   // staggered copies
    }
    Bytes buffer(44100 * 4);
    const int bufferBytes = 1323 * 4;   // 30 ms, as the device asks
    for (auto _ : state) {
        for (size_t at = 0; at + bufferBytes <= buffer.size(); at += bufferBytes)
            engine.driver().render(buffer.data() + at, bufferBytes);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 44100, benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(mixOneSecond, EightTracksAndEightSounds, 8, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(mixOneSecond, FourTrackModule, 4, 0)->Unit(benchmark::kMillisecond);

// Whole processes rendering the same 8-track song to a file: this engine's tool against
// openmpt123. Compare the two times; the ratio is the figure of interest.
void renderProcess(benchmark::State& state, bool reference)
{
    support::TempDir dir;
    support::writeFile(dir / "song.mod", busyModule(8, 24));
    const std::vector<std::string> command = reference
        ? std::vector<std::string>{"openmpt123", "--quiet", "--render", "--subsong", "0", "--samplerate", "44100",
                                   "--no-float", "--force", dir / "song.mod"}
        : std::vector<std::string>{TINTROW_TOOL, "render", dir / "song.mod", "--out", dir / "song.wav"};
    for (auto _ : state) {
        support::RunResult r = support::run(command);
        if (r.status != 0)
            return state.SkipWithError(("render failed: " + r.err).c_str());
    }
}
BENCHMARK_CAPTURE(renderProcess, Tool, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderProcess, Openmpt, true)->Unit(benchmark::kMillisecond);

}
