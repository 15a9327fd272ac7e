// Wave loading: PCM forms, the chunk walk, MS-ADPCM against sox, and damaged files.
#include "SoundFixtures.h"

#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

using namespace soundtest;

TEST(WaveLoad, PcmFormsGiveFramesRateAndFlags)
{
    struct Case {
        int channels, bits, dataBytes, frames;
    };
    const Case cases[] = {{1, 8, 10, 10}, {2, 8, 10, 5}, {1, 16, 10, 5}, {2, 16, 12, 3}, {2, 16, 10, 2}};
    for (const Case& c : cases) {
        Bytes file = makeWave(pcmFormat(c.channels, 11025, c.bits), Bytes(c.dataBytes, 7));
        hssSound sound;
        ASSERT_EQ(HSS_OK, sound.load(file.data(), file.size()));
        EXPECT_EQ(c.frames, sound.length()) << c.channels << "x" << c.bits;
        EXPECT_EQ(c.bits == 8, sound.is8bit());
        EXPECT_EQ(c.channels == 2, sound.isStereo());
        EXPECT_EQ(11025, sound.sampleRate());
        EXPECT_EQ(11025, sound.frequency);
        EXPECT_EQ(128, sound.pan);
    }
}

TEST(WaveLoad, SkipsChunksBeforeData)
{
    Bytes between;
    putChunk(between, "LIST", Bytes(5, 'x'));   // odd size: padded
    putChunk(between, "fact", Bytes(4, 0));
    Bytes file = makeWave(pcmFormat(1, 8000, 8), Bytes{1, 2, 3}, between);
    hssSound sound;
    ASSERT_EQ(HSS_OK, sound.load(file.data(), file.size()));
    EXPECT_EQ(3, sound.length());
    EXPECT_EQ((Bytes{1, 2, 3}), Bytes(sound.data(), sound.data() + 3));
}

TEST(WaveLoad, ReloadReplacesEarlierData)
{
    Bytes first = makeWave(pcmFormat(1, 8000, 8), Bytes(50, 1));
    Bytes second = makeWave(pcmFormat(2, 8000, 16), Bytes(8, 2));
    hssSound sound;
    ASSERT_EQ(HSS_OK, sound.load(first.data(), first.size()));
    ASSERT_EQ(HSS_OK, sound.load(second.data(), second.size()));
    EXPECT_EQ(2, sound.length());
    EXPECT_FALSE(sound.is8bit());
    EXPECT_NE(HSS_OK, sound.load(first.data(), 20));
    EXPECT_EQ(0, sound.length());
    EXPECT_EQ(nullptr, sound.data());
}

static Bytes adpcmFormat(int channels, int coefficients, int blockAlign = 256)
{
    Bytes fmt;
    putLe16(fmt, 2);
    putLe16(fmt, channels);
    putLe32(fmt, 8000);
    putLe32(fmt, 4000);
    putLe16(fmt, blockAlign);
    putLe16(fmt, 4);
    putLe16(fmt, 4 + 4 * coefficients);
    putLe16(fmt, (blockAlign - 7 * channels) * 2 / channels + 2);
    putLe16(fmt, coefficients);
    const int pairs[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    for (int i = 0; i < coefficients; ++i) {
        putLe16(fmt, pairs[i % 7][0]);
        putLe16(fmt, pairs[i % 7][1]);
    }
    return fmt;
}

TEST(WaveLoad, DamagedFilesAreRejectedWithTheirStatus)
{
    Bytes good = makeWave(pcmFormat(1, 8000, 8), Bytes(16, 0x80));
    Bytes noFormat = good;
    noFormat[12] = 'F';
    Bytes pastEnd = good;
    pastEnd[40] = 0xFF;   // data chunk size beyond the file
    Bytes hugeFormat = good;
    hugeFormat[16] = 0xF0;
    hugeFormat[19] = 0x7F;
    Bytes noData;
    putChunk(noData, "junk", Bytes(8, 0));
    Bytes adpcmBlock(256, 0);
    Bytes badPredictor = adpcmBlock;
    badPredictor[0] = 7;
    struct Case {
        const char* name;
        Bytes file;
        int status;
    };
    const Case cases[] = {
        {"not fmt first", noFormat, HSS_NOT_WAVE},
        {"too short", Bytes(good.begin(), good.begin() + 18), HSS_NOT_WAVE},
        {"format past end", hugeFormat, HSS_NOT_WAVE},
        {"format too small", makeWave(Bytes(12, 0), Bytes(4, 0)), HSS_NOT_WAVE},
        {"12 bits", makeWave(pcmFormat(1, 8000, 12), Bytes(4, 0)), HSS_UNSUPPORTED},
        {"3 channels", makeWave(pcmFormat(3, 8000, 8), Bytes(6, 0)), HSS_UNSUPPORTED},
        {"zero rate", makeWave(pcmFormat(1, 0, 8), Bytes(6, 0)), HSS_UNSUPPORTED},
        {"no data chunk", [&] { Bytes f = makeWave(pcmFormat(1, 8000, 8), Bytes()); f.resize(36); f.insert(f.end(), noData.begin(), noData.end()); return f; }(), HSS_NO_DATA},
        {"data past end", pastEnd, HSS_NO_DATA},
        {"truncated data", Bytes(good.begin(), good.end() - 3), HSS_NO_DATA},
        {"6 coefficients", makeWave(adpcmFormat(1, 6), adpcmBlock), HSS_UNSUPPORTED},
        {"8 coefficients", makeWave(adpcmFormat(1, 8), adpcmBlock), HSS_UNSUPPORTED},
        {"tiny block", makeWave(adpcmFormat(2, 7, 14), Bytes(14, 0)), HSS_UNSUPPORTED},
        {"bad predictor", makeWave(adpcmFormat(1, 7), badPredictor), HSS_UNSUPPORTED},
    };
    for (const Case& c : cases) {
        // An exact-size copy lets the sanitizers catch any read past the end.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[c.file.size()]);
        std::copy(c.file.begin(), c.file.end(), exact.get());
        hssSound sound;
        EXPECT_EQ(c.status, sound.load(exact.get(), c.file.size())) << c.name;
        EXPECT_EQ(0, sound.length()) << c.name;
    }
    hssSound sound;
    EXPECT_EQ(HSS_NO_DATA, sound.load(nullptr, 0));
}

TEST(WaveLoad, TruncationAtEveryLengthNeverReadsPastTheEnd)
{
    Bytes between;
    putChunk(between, "fact", Bytes(4, 0));
    Bytes file = makeWave(adpcmFormat(2, 7), Bytes(512, 0x11), between);
    for (size_t size = 0; size < file.size(); ++size) {
        std::unique_ptr<uint8_t[]> exact(new uint8_t[size + 1]);
        std::copy(file.begin(), file.begin() + size, exact.get());
        hssSound sound;
        EXPECT_NE(HSS_OK, sound.load(exact.get(), size)) << size;
    }
}

TEST(WaveLoad, AdpcmDeltaGrowthSaturatesInsteadOfOverflowing)
{
    Bytes block(256, 0x88);   // nibble 8: the largest negative step and the fastest growth
    block[0] = 0;
    block[1] = 0xFF;
    block[2] = 0x7F;
    std::fill(block.begin() + 3, block.begin() + 7, 0);
    Bytes file = makeWave(adpcmFormat(1, 7), block);
    hssSound sound;
    ASSERT_EQ(HSS_OK, sound.load(file.data(), file.size()));
    ASSERT_EQ(2 + 249 * 2, sound.length());
    const uint8_t* data = sound.data();
    for (int i = 2; i < sound.length(); ++i)
        ASSERT_EQ(-32768, static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8))) << i;
}

namespace {

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool run(const std::string& command)
{
    return std::system((command + " 2>/dev/null").c_str()) == 0;
}

}

TEST(WaveLoad, AdpcmDecodesLikeSox)
{
    if (!run("command -v sox >/dev/null"))
        GTEST_SKIP() << "sox is not installed";
    char folder[] = "/tmp/tintrow-adpcm-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    const std::string dir = folder;
    for (int channels : {1, 2}) {
        const std::string ch = std::to_string(channels);
        ASSERT_TRUE(run("sox -n -r 22050 -c " + ch + " -b 16 " + dir + "/in.wav synth 0.4 sine 440 square 97 vol 0.9"));
        ASSERT_TRUE(run("sox " + dir + "/in.wav -e ms-adpcm " + dir + "/adpcm.wav"));
        ASSERT_TRUE(run("sox " + dir + "/adpcm.wav -e signed-integer -b 16 " + dir + "/decoded.wav"));
        Bytes adpcm = readFile(dir + "/adpcm.wav");
        Bytes reference = readFile(dir + "/decoded.wav");
        hssSound mine;
        hssSound theirs;
        ASSERT_EQ(HSS_OK, mine.load(adpcm.data(), adpcm.size()));
        ASSERT_EQ(HSS_OK, theirs.load(reference.data(), reference.size()));
        EXPECT_EQ(channels == 2, mine.isStereo());
        ASSERT_EQ(theirs.length(), mine.length());
        size_t bytes = static_cast<size_t>(mine.length()) * 2 * channels;
        EXPECT_TRUE(std::equal(mine.data(), mine.data() + bytes, theirs.data())) << channels << " channels";
    }
    run("rm -rf " + dir);
}
