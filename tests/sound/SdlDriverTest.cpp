// The SDL output driver, headless: SDL's disk driver records what the engine mixed.
#include "SoundFixtures.h"

#include "sound/hssSound.h"

#include <chrono>
#include <thread>

using namespace soundtest;

namespace {

// Sets environment variables for the life of the object.
class ScopedEnv {
public:
    explicit ScopedEnv(std::initializer_list<std::pair<const char*, std::string>> values)
    {
        for (const auto& v : values) {
            const char* old = std::getenv(v.first);
            saved_.push_back({v.first, old != nullptr, old ? old : ""});
            setenv(v.first, v.second.c_str(), 1);
        }
    }
    ~ScopedEnv()
    {
        for (const Saved& s : saved_)
            s.had ? setenv(s.name, s.value.c_str(), 1) : unsetenv(s.name);
    }

private:
    struct Saved {
        const char* name;
        bool had;
        std::string value;
    };
    std::vector<Saved> saved_;
};

}

TEST(SdlDriver, DiskDeviceReceivesTheMix)
{
    TempDir folder;
    const std::string output = folder.path + "/out.raw";
    {
        ScopedEnv env({{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", output}, {"SDL_DISKAUDIODELAY", "1"}});
        hssSpeaker speaker;
        ASSERT_EQ(HSS_OK, speaker.open(22050, 16, 0, 1, 8));
        speaker.pause();   // pause and resume are idempotent
        speaker.pause();
        speaker.resume();
        speaker.resume();
        hssSound sound = loaded<hssSound>(mono16Wave(std::vector<int16_t>(22050, 1000), 22050));
        sound.loop = true;
        ASSERT_GE(speaker.playSound(&sound), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(HSS_OK, speaker.close());
    }
    const Bytes raw = readFile(output);
    size_t mixed = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2)
        mixed += static_cast<int16_t>(raw[i] | (raw[i + 1] << 8)) == 500;
    EXPECT_GT(mixed, 1000u);
}

TEST(SdlDriver, NoDeviceReportsMinusOne)
{
    ScopedEnv env({{"SDL_AUDIODRIVER", "no-such-driver"}});
    hssSpeaker speaker;
    EXPECT_EQ(HSS_NO_DEVICE, speaker.open(44100, 16, 1, 1, 8));
    EXPECT_FALSE(speaker.isOpen());
    hssSound sound;
    EXPECT_EQ(HSS_NO_CHANNEL, speaker.playSound(&sound));
}
