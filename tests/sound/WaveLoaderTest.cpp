// Wave loading: PCM forms, the chunk walk, MS-ADPCM against sox, and damaged files.
#include "SoundFixtures.h"

#include "sound/hssSound.h"

using namespace soundtest;

TEST(WaveLoad, PcmFormsGiveFramesRateAndFlags)
{
    struct Case {
        int channels, bits, dataBytes, frames;
    };
    const Case cases[] = {{1, 8, 10, 10}, {2, 8, 10, 5}, {1, 16, 10, 5}, {2, 16, 12, 3}, {2, 16, 10, 2}};
    for (const Case& c : cases) {
        const hssSound sound = loaded<hssSound>(makeWave(pcmFormat(c.channels, 11025, c.bits), Bytes(c.dataBytes, 7)));
        EXPECT_EQ(c.frames, sound.length()) << c.channels << "x" << c.bits;
        EXPECT_EQ(c.bits == 8, sound.is8bit());
        EXPECT_EQ(c.channels == 2, sound.isStereo());
        EXPECT_EQ(11025, sound.sampleRate());
        EXPECT_EQ(11025, sound.frequency);
        EXPECT_EQ(128, sound.pan);
    }
}

TEST(WaveLoad, SkipsChunksBeforeDataAndReloadReplacesEarlierData)
{
    Bytes between;
    putChunk(between, "LIST", Bytes(5, 'x'));   // odd size: padded
    putChunk(between, "fact", Bytes(4, 0));
    hssSound sound = loaded<hssSound>(makeWave(pcmFormat(1, 8000, 8), Bytes{1, 2, 3}, between));
    EXPECT_EQ(3, sound.length());
    EXPECT_EQ((Bytes{1, 2, 3}), Bytes(sound.data(), sound.data() + 3));

    const Bytes stereo16 = makeWave(pcmFormat(2, 8000, 16), Bytes(8, 2));
    ASSERT_EQ(HSS_OK, sound.load(stereo16.data(), stereo16.size()));
    EXPECT_EQ(2, sound.length());
    EXPECT_FALSE(sound.is8bit());
    EXPECT_NE(HSS_OK, sound.load(stereo16.data(), 20));
    EXPECT_EQ(0, sound.length());
    EXPECT_EQ(nullptr, sound.data());
}

TEST(WaveLoad, DamagedFilesAreRejectedWithTheirStatus)
{
    const Bytes good = makeWave(pcmFormat(1, 8000, 8), Bytes(16, 0x80));
    auto with = [&](std::initializer_list<std::pair<size_t, uint8_t>> edits) {
        Bytes copy = good;
        for (const auto& e : edits)
            copy[e.first] = e.second;
        return copy;
    };
    Bytes noData(good.begin(), good.begin() + 36);
    putChunk(noData, "junk", Bytes(8, 0));
    Bytes badPredictor(256, 0);
    badPredictor[0] = 7;
    struct Case {
        const char* name;
        Bytes file;
        int status;
    };
    const Case cases[] = {
        {"not fmt first", with({{12, 'F'}}), HSS_NOT_WAVE},
        {"too short", Bytes(good.begin(), good.begin() + 18), HSS_NOT_WAVE},
        {"format past end", with({{16, 0xF0}, {19, 0x7F}}), HSS_NOT_WAVE},
        {"format too small", makeWave(Bytes(12, 0), Bytes(4, 0)), HSS_NOT_WAVE},
        {"12 bits", makeWave(pcmFormat(1, 8000, 12), Bytes(4, 0)), HSS_UNSUPPORTED},
        {"3 channels", makeWave(pcmFormat(3, 8000, 8), Bytes(6, 0)), HSS_UNSUPPORTED},
        {"zero rate", makeWave(pcmFormat(1, 0, 8), Bytes(6, 0)), HSS_UNSUPPORTED},
        {"no data chunk", noData, HSS_NO_DATA},
        {"data past end", with({{40, 0xFF}}), HSS_NO_DATA},
        {"truncated data", Bytes(good.begin(), good.end() - 3), HSS_NO_DATA},
        {"6 coefficients", makeWave(adpcmFormat(1, 6), Bytes(256, 0)), HSS_UNSUPPORTED},
        {"8 coefficients", makeWave(adpcmFormat(1, 8), Bytes(256, 0)), HSS_UNSUPPORTED},
        {"tiny block", makeWave(adpcmFormat(2, 7, 14), Bytes(14, 0)), HSS_UNSUPPORTED},
        {"bad predictor", makeWave(adpcmFormat(1), badPredictor), HSS_UNSUPPORTED},
    };
    for (const Case& c : cases) {
        hssSound sound;
        EXPECT_EQ(c.status, loadExact(sound, c.file)) << c.name;
        EXPECT_EQ(0, sound.length()) << c.name;
    }
    hssSound sound;
    EXPECT_EQ(HSS_NO_DATA, sound.load(nullptr, 0));

    Bytes fact;   // truncation at every length never reads past the end
    putChunk(fact, "fact", Bytes(4, 0));
    const Bytes adpcm = makeWave(adpcmFormat(2), Bytes(512, 0x11), fact);
    for (size_t size = 0; size < adpcm.size(); ++size)
        EXPECT_NE(HSS_OK, loadExact(sound, Bytes(adpcm.begin(), adpcm.begin() + size))) << size;
}

TEST(WaveLoad, AdpcmDeltaGrowthSaturatesInsteadOfOverflowing)
{
    Bytes block(256, 0x88);   // nibble 8: the largest negative step and the fastest growth
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
    if (!hasCommand("sox"))
        GTEST_SKIP() << "sox is not installed";
    TempDir folder;
    const std::string dir = folder.path;
    auto run = [](const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; };
    for (int channels : {1, 2}) {
        ASSERT_TRUE(run("sox -n -r 22050 -c " + std::to_string(channels) + " -b 16 " + dir + "/in.wav synth 0.4 sine 440 square 97 vol 0.9"));
        ASSERT_TRUE(run("sox " + dir + "/in.wav -e ms-adpcm " + dir + "/adpcm.wav"));
        ASSERT_TRUE(run("sox " + dir + "/adpcm.wav -e signed-integer -b 16 " + dir + "/decoded.wav"));
        const hssSound mine = loaded<hssSound>(readFile(dir + "/adpcm.wav"));
        const hssSound theirs = loaded<hssSound>(readFile(dir + "/decoded.wav"));
        EXPECT_EQ(channels == 2, mine.isStereo());
        ASSERT_EQ(theirs.length(), mine.length());
        const size_t bytes = static_cast<size_t>(mine.length()) * 2 * channels;
        EXPECT_TRUE(std::equal(mine.data(), mine.data() + bytes, theirs.data())) << channels << " channels";
    }
}
