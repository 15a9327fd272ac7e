// Wave and module loading: damaged files, hostile MS-ADPCM blocks, MS-ADPCM against sox, and
// the track limit.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

using namespace soundtest;

namespace {

// The file with `bytes` written over it from `at` on.
Bytes patched(Bytes file, size_t at, const std::string& bytes)
{
    std::copy(bytes.begin(), bytes.end(), file.begin() + long(at));
    return file;
}

}

TEST(WaveLoad, DamagedFilesAreRejectedWithTheirStatus)
{
    const Bytes good = makeWave(pcmFormat(1, 8000, 8), Bytes(16, 0x80));
    Bytes noData(good.begin(), good.begin() + 36);
    putChunk(noData, "junk", Bytes(8, 0));
    Bytes badPredictor(256, 0);
    badPredictor[0] = 7;
    const struct {
        const char* name;
        Bytes file;
        int status;
    } cases[] = {
        {"format past end", patched(good, 16, std::string("\xF0\0\0\x7F", 4)), HSS_NOT_WAVE},
        {"12 bits", makeWave(pcmFormat(1, 8000, 12), Bytes(4, 0)), HSS_UNSUPPORTED},
        {"zero rate", makeWave(pcmFormat(1, 0, 8), Bytes(6, 0)), HSS_UNSUPPORTED},
        {"no data chunk", noData, HSS_NO_DATA},
        {"data past end", patched(good, 40, "\xFF"), HSS_NO_DATA},
        {"6 coefficients", makeWave(adpcmFormat(1, 6), Bytes(256, 0)), HSS_UNSUPPORTED},
        {"bad predictor", makeWave(adpcmFormat(1), badPredictor), HSS_UNSUPPORTED},
    };
    for (const auto& c : cases) {
        hssSound sound;
        EXPECT_EQ(c.status, loadExact(sound, c.file)) << c.name;
        EXPECT_EQ(0, sound.length()) << c.name;
    }
    Bytes fact; // truncation at every length never reads past the end
    putChunk(fact, "fact", Bytes(4, 0));
    const Bytes adpcm = makeWave(adpcmFormat(2), Bytes(512, 0x11), fact);
    hssSound sound;
    for (size_t size = 0; size < adpcm.size(); ++size)
        EXPECT_NE(HSS_OK, loadExact(sound, Bytes(adpcm.begin(), adpcm.begin() + long(size)))) << size;
}

TEST(WaveLoad, AdpcmDeltaGrowthSaturatesInsteadOfOverflowing)
{
    Bytes block(256, 0x88); // nibble 8: the largest negative step and the fastest growth
    std::fill(block.begin(), block.begin() + 7, 0);
    block[1] = 0xFF;
    block[2] = 0x7F;
    const hssSound sound = loaded<hssSound>(makeWave(adpcmFormat(1), block));
    ASSERT_EQ(2 + 249 * 2, sound.length());
    for (int i = 2; i < sound.length(); ++i)
        ASSERT_EQ(-32768, static_cast<int16_t>(sound.data()[2 * i] | (sound.data()[2 * i + 1] << 8))) << i;
}

TEST(WaveLoad, AdpcmDecodesLikeSox)
{
    support::TempDir dir;
    auto sox = [](std::vector<std::string> args) {
        args.insert(args.begin(), "sox");
        support::RunResult r = support::run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.status == 0;
    };
    for (int channels : {1, 2}) {
        ASSERT_TRUE(sox({"-n", "-r", "22050", "-c", std::to_string(channels), "-b", "16", dir / "in.wav", "synth",
                         "0.4", "sine", "440", "square", "97", "vol", "0.9"}));
        ASSERT_TRUE(sox({dir / "in.wav", "-e", "ms-adpcm", dir / "adpcm.wav"}));
        ASSERT_TRUE(sox({dir / "adpcm.wav", "-e", "signed-integer", "-b", "16", dir / "decoded.wav"}));
        const hssSound mine = loaded<hssSound>(support::readFile(dir / "adpcm.wav"));
        const hssSound theirs = loaded<hssSound>(support::readFile(dir / "decoded.wav"));
        EXPECT_EQ(channels == 2, mine.isStereo());
        ASSERT_EQ(theirs.length(), mine.length());
        const size_t bytes = static_cast<size_t>(mine.length()) * 2 * channels;
        EXPECT_TRUE(std::equal(mine.data(), mine.data() + bytes, theirs.data())) << channels << " channels";
    }
}

TEST(ModuleLoad, DamagedModulesAreRejectedAndTooManyTracksNotPlayed)
{
    ModuleBuilder base;
    base.setSample(1, std::vector<int8_t>(64, 1));
    const Bytes good = base.build();
    const struct {
        const char* name;
        Bytes file;
        int status;
    } cases[] = {
        {"FLT4", patched(good, 1080, "FLT4"), HSS_UNSUPPORTED},
        {"song length 0", patched(good, 950, std::string(1, 0)), HSS_UNSUPPORTED},
        {"song length 129", patched(good, 950, std::string(1, char(129))), HSS_UNSUPPORTED},
        {"header only", Bytes(good.begin(), good.begin() + 1083), HSS_NO_DATA},
        {"pattern past the end", patched(good, 952, std::string(1, 40)), HSS_NO_DATA},
        {"sample past the end", patched(good, 20 + 22, std::string(1, char(0xFF))), HSS_NO_DATA},
        {"last sample byte missing", Bytes(good.begin(), good.end() - 1), HSS_NO_DATA},
    };
    for (const auto& c : cases) {
        hssMusic music;
        EXPECT_EQ(c.status, loadExact(music, c.file)) << c.name;
        EXPECT_EQ(nullptr, music.data()) << c.name;
    }
    hssMusic music = loaded<hssMusic>(ModuleBuilder(33, "33CH").build());
    MemoryEngine engine;
    EXPECT_EQ(HSS_UNSUPPORTED, engine.speaker.playMusic(&music));
    hssMusic empty;
    EXPECT_EQ(HSS_NO_DATA, engine.speaker.playMusic(&empty));
}
