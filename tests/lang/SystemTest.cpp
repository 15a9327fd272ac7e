// Tests of the system properties and the host hooks behind them.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/HostHooks.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::Table;

// Restores the default host answers after each test.
class SystemProperties : public testing::Test {
protected:
    void TearDown() override
    {
        host::setPlatformType(nullptr);
        host::setProgramFile("");
        host::setTickSource(nullptr);
    }
    static std::u16string text(const char16_t* key)
    {
        DStringPtr value = DSystem::getProperty(key);
        return value ? std::u16string(value->view()) : u"<null>";
    }
};

TEST_F(SystemProperties, TextProperties)
{
    EXPECT_EQ(text(u"file.separator"), u"\\");
    EXPECT_EQ(text(u"archive.name"), u"game.dat");
    EXPECT_EQ(text(u"archive.password"), u"");
    EXPECT_EQ(text(u"platform.string"), u"PocketPC");
    EXPECT_EQ(text(u"Archive.name"), u"<null>");
    EXPECT_EQ(DSystem::getProperty(new DString(u"archive.name"))->toUtf8(), "game.dat");
    host::setProgramFile("/opt/games/tintrow/tintrow");
    EXPECT_EQ(text(u"app.fullpath"), u"/opt/games/tintrow");
    host::setProgramFile("bare-name");
    EXPECT_EQ(text(u"app.fullpath"), u"bare-name");
    host::setProgramFile("");
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    std::string expected(self, n);
    expected.resize(expected.rfind('/'));
    EXPECT_EQ(DSystem::getProperty(u"app.fullpath")->toUtf8(), expected);
}

TEST_F(SystemProperties, NumberTableAndInputFollowingThePlatformType)
{
    for (auto [platform, key, value] : Table<const char16_t*, const char16_t*, int32_t> {
        { nullptr, u"platform.type", 2 }, { nullptr, u"input.touchscreen", 1 },
        { nullptr, u"input.softkeys", 0 }, { nullptr, u"input.qwerty", -1 },
        { nullptr, u"input.mouse", 0 }, { nullptr, u"sound.stereo", 1 },
        { nullptr, u"sound.bps", 16 }, { nullptr, u"sound.frequency", 44100 },
        { nullptr, u"sound.sfx_channels", 32 }, { nullptr, u"sound.music_channels", 16 },
        { nullptr, u"sound.Bps", -1 }, { nullptr, u"", -1 },
        { u"SmartPhone", u"input.touchscreen", 0 }, { u"SmartPhone", u"input.softkeys", 1 },
        { u"Other", u"input.touchscreen", 0 }, { u"Other", u"input.softkeys", 0 } }) {
        host::setPlatformType(platform);
        EXPECT_EQ(DSystem::getIntProperty(key), value);
    }
    host::setPlatformType(u"SmartPhone");
    EXPECT_EQ(text(u"platform.string"), u"SmartPhone");
}

static uint64_t virtualClock = 0;

TEST_F(SystemProperties, ClockComesFromTheInstalledTickSource)
{
    int64_t before = DSystem::currentTimeMillis();
    EXPECT_LE(before, DSystem::currentTimeMillis());
    host::setTickSource([] { return virtualClock; });
    virtualClock = 5000000000ull; // beyond 32 bits: the clock is 64-bit wide
    EXPECT_EQ(DSystem::currentTimeMillis(), 5000000000ll);
    host::setTickSource(nullptr);
    EXPECT_LT(DSystem::currentTimeMillis(), int64_t { 1 } << 62);
}
