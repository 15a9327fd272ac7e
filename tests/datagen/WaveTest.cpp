// Wave files: PCM encoding, read back by the game's loader.
#include "GameReaders.h"
#include "Wave.h"

#include "sound/hssSound.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

using namespace datagen;

TEST(Wave, EightBitSamplesAreUnsignedAroundMidScale)
{
    Bytes w = encodeWave({0.0f, 1.0f, -1.0f, 2.0f}, 11025, 8);
    hssSound sound;
    ASSERT_EQ(sound.load(w.data(), w.size()), 0);
    EXPECT_TRUE(sound.is8bit());
    EXPECT_EQ(sound.sampleRate(), 11025);
    EXPECT_EQ(sound.length(), 4);
    EXPECT_EQ((Bytes(w.end() - 4, w.end())), (Bytes{128, 255, 1, 255})) << "out of range is clamped";
}

TEST(Wave, SixteenBitSamplesAreLittleEndianAndOddDataIsPadded)
{
    Bytes w = encodeWave({0.5f}, 22050, 16);
    EXPECT_EQ((Bytes(w.end() - 2, w.end())), (Bytes{0x00, 0x40}));
    Bytes odd = encodeWave({0, 0, 0}, 8000, 8);
    EXPECT_EQ(odd.size() % 2, 0u);
}

static void putTag(Bytes& b, size_t at, const char* tag)
{
    std::memcpy(b.data() + at, tag, 4);
}

TEST(Wave, TheGameRefusesWhatItCannotPlay)
{
    Bytes good = encodeWave({0.1f, 0.2f}, 8000, 16);
    Bytes listFirst = good;
    putTag(listFirst, 12, "LIST");
    EXPECT_NE(waveFault(listFirst), "");
    Bytes noData = good;
    putTag(noData, 36, "junk");
    EXPECT_NE(waveFault(noData), "") << "the walk must stop at the end of the file";
    Bytes bits = good;
    bits[34] = 12;
    EXPECT_NE(waveFault(bits), "");
    Bytes fourBitPcm = good;
    fourBitPcm[34] = 4;
    EXPECT_NE(waveFault(fourBitPcm), "");
    Bytes stereo = good;
    stereo[22] = 3;
    EXPECT_NE(waveFault(stereo), "");
}

TEST(Wave, ChunksBetweenFormatAndDataAreSkipped)
{
    Bytes w = encodeWave({0.1f, 0.2f}, 8000, 8);
    std::string spliced(w.begin(), w.end());
    spliced.insert(36, std::string("fact\3\0\0\0\11\11\11\0", 12));  // odd size, padded
    Bytes extra(spliced.begin(), spliced.end());
    hssSound sound;
    ASSERT_EQ(sound.load(extra.data(), extra.size()), 0);
    EXPECT_EQ(sound.length(), 2);
}
