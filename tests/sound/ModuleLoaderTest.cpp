// Module loading: signatures, what of the file is kept, damaged files and the track limit.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"

using namespace soundtest;

TEST(ModuleLoad, DamagedModulesAreRejectedAndTooManyTracksNotPlayed)
{
    ModuleBuilder base;
    base.setSample(1, std::vector<int8_t>(64, 1));
    const Bytes good = base.build();
    auto with = [&](size_t at, const std::string& bytes) {
        Bytes copy = good;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + long(at));
        return copy;
    };
    const struct {
        const char* name;
        Bytes file;
        int status;
    } cases[] = {
        {"FLT4", with(1080, "FLT4"), HSS_UNSUPPORTED},
        {"song length 0", with(950, std::string(1, 0)), HSS_UNSUPPORTED},
        {"song length 129", with(950, std::string(1, char(129))), HSS_UNSUPPORTED},
        {"header only", Bytes(good.begin(), good.begin() + 1083), HSS_NO_DATA},
        {"pattern past the end", with(952, std::string(1, 40)), HSS_NO_DATA},
        {"sample past the end", with(20 + 22, std::string(1, char(0xFF))), HSS_NO_DATA},
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
