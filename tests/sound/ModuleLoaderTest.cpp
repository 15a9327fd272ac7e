// Module loading: signatures, song length, sizes of patterns and samples, damaged files.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"

using namespace soundtest;

TEST(ModuleLoad, SignatureNamesTheTrackCount)
{
    const std::pair<const char*, int> cases[] = {
        {"M.K.", 4}, {"M!K!", 4}, {"6CHN", 6}, {"8CHN", 8}, {"16CH", 16}, {"32CH", 32}, {"1CHN", 1},
        {"FLT4", 0}, {"m.k.", 0}, {"8chn", 0}, {"XCHN", 0}, {"0CHN", 0}, {"CD81", 0}, {"\0\0\0\0", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, hssModuleTracks(reinterpret_cast<const uint8_t*>(c.first))) << c.first;
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
    hssMusic music = loaded<hssMusic>(file);
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
    const Bytes good = base.build();
    auto with = [&](size_t at, const std::string& bytes) {
        Bytes copy = good;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + at);
        return copy;
    };
    struct Case {
        const char* name;
        Bytes file;
        int status;
    };
    const Case cases[] = {
        {"FLT4", with(1080, "FLT4"), HSS_UNSUPPORTED},
        {"song length 0", with(950, std::string(1, 0)), HSS_UNSUPPORTED},
        {"song length 129", with(950, std::string(1, char(129))), HSS_UNSUPPORTED},
        {"header only", Bytes(good.begin(), good.begin() + 1083), HSS_NO_DATA},
        {"pattern past the end", with(952, std::string(1, 40)), HSS_NO_DATA},
        {"sample past the end", with(20 + 22, std::string(1, char(0xFF))), HSS_NO_DATA},
        {"last sample byte missing", Bytes(good.begin(), good.end() - 1), HSS_NO_DATA},
    };
    for (const Case& c : cases) {
        hssMusic music;
        EXPECT_EQ(c.status, loadExact(music, c.file)) << c.name;
        EXPECT_EQ(nullptr, music.data()) << c.name;
    }
    hssMusic music;
    EXPECT_EQ(HSS_NO_DATA, music.load(nullptr, 5000));
}

TEST(ModuleLoad, PlayRefusesTrackCountsBeyondThirtyTwo)
{
    hssMusic music = loaded<hssMusic>(ModuleBuilder(33, "33CH").build());
    MemoryEngine engine;
    EXPECT_EQ(HSS_UNSUPPORTED, engine.speaker.playMusic(&music));
    hssMusic empty;
    EXPECT_EQ(HSS_NO_DATA, engine.speaker.playMusic(&empty));
}
