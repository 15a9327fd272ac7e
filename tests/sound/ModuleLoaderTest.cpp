// Module loading: signatures, song length, sizes of patterns and samples, damaged files.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

#include <memory>

using namespace soundtest;

TEST(ModuleSignature, NamesTheTrackCount)
{
    struct Case {
        const char* signature;
        int tracks;
    };
    const Case cases[] = {
        {"M.K.", 4}, {"M!K!", 4}, {"6CHN", 6}, {"8CHN", 8}, {"16CH", 16}, {"32CH", 32}, {"1CHN", 1},
        {"FLT4", 0}, {"m.k.", 0}, {"8chn", 0}, {"XCHN", 0}, {"0CHN", 0}, {"CD81", 0}, {"\0\0\0\0", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tracks, hssModuleTracks(reinterpret_cast<const uint8_t*>(c.signature))) << c.signature;
}

TEST(ModuleLoad, KeepsHeaderPatternsAndSamplesOnly)
{
    ModuleBuilder builder(6, "6CHN");
    builder.setOrders({0, 2, 1});
    builder.setSample(1, std::vector<int8_t>(100, 5));
    builder.setSample(31, std::vector<int8_t>(10, 6));
    Bytes file = builder.build();
    const size_t expected = 1084 + 3 * 64 * 6 * 4 + 110;
    ASSERT_EQ(expected, file.size());
    file.resize(file.size() + 77, 9);   // trailing bytes are not part of the module
    hssMusic music;
    ASSERT_EQ(HSS_OK, music.load(file.data(), file.size()));
    EXPECT_EQ(expected, music.size());
    EXPECT_EQ(6, music.tracks());
    EXPECT_EQ(3, music.songLength());
    EXPECT_EQ(3, music.patternCount());
    EXPECT_EQ(44100, music.playbackFrequency);
    EXPECT_EQ(44100, music.frequency);
}

TEST(ModuleLoad, DamagedModulesAreRejected)
{
    ModuleBuilder base;
    base.setSample(1, std::vector<int8_t>(64, 1));
    Bytes good = base.build();
    Bytes flt = good;
    std::copy_n("FLT4", 4, flt.begin() + 1080);
    Bytes noSong = good;
    noSong[950] = 0;
    Bytes longSong = good;
    longSong[950] = 129;
    Bytes farPattern = good;
    farPattern[952] = 40;   // pattern 40 lies far past the end
    Bytes hugeSample = good;
    hugeSample[20 + 22] = 0xFF;
    struct Case {
        const char* name;
        Bytes file;
        int status;
    };
    const Case cases[] = {
        {"FLT4", flt, HSS_UNSUPPORTED},
        {"song length 0", noSong, HSS_UNSUPPORTED},
        {"song length 129", longSong, HSS_UNSUPPORTED},
        {"header only", Bytes(good.begin(), good.begin() + 1083), HSS_NO_DATA},
        {"pattern past the end", farPattern, HSS_NO_DATA},
        {"sample past the end", hugeSample, HSS_NO_DATA},
        {"last sample byte missing", Bytes(good.begin(), good.end() - 1), HSS_NO_DATA},
    };
    for (const Case& c : cases) {
        std::unique_ptr<uint8_t[]> exact(new uint8_t[c.file.size()]);
        std::copy(c.file.begin(), c.file.end(), exact.get());
        hssMusic music;
        EXPECT_EQ(c.status, music.load(exact.get(), c.file.size())) << c.name;
        EXPECT_EQ(nullptr, music.data()) << c.name;
    }
    hssMusic music;
    EXPECT_EQ(HSS_NO_DATA, music.load(nullptr, 5000));
}

TEST(ModuleLoad, PlayRefusesTrackCountsBeyondThirtyTwo)
{
    ModuleBuilder builder(33, "33CH");
    Bytes file = builder.build();
    hssMusic music;
    ASSERT_EQ(HSS_OK, music.load(file.data(), file.size()));
    MemoryEngine engine;
    EXPECT_EQ(HSS_UNSUPPORTED, engine.speaker.playMusic(&music));
    hssMusic empty;
    EXPECT_EQ(HSS_NO_DATA, engine.speaker.playMusic(&empty));
}
