// The SDL output driver, headless: SDL's disk driver records what the engine mixed.
#include "sound/SoundFixtures.h"
#include "host/SdlAudioDriver.h"

#include "sound/hssSound.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <chrono>
#include <thread>

using namespace soundtest;

namespace {

// Points SDL at an audio driver for the life of the object.
struct AudioDriverEnv {
    explicit AudioDriverEnv(const char* driver, const std::string& file = "")
    {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "1", 1);
    }
    ~AudioDriverEnv()
    {
        for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"})
            unsetenv(name);
    }
};

}

TEST(SdlDriver, DiskDeviceReceivesTheMixAcrossPausesAndResumes)
{
    support::TempDir folder;
    {
        AudioDriverEnv env("disk", folder / "out.raw");
        hssSpeaker speaker(host::createSdlAudioDriver);
        ASSERT_EQ(HSS_OK, speaker.open(22050, 16, 0, 1, 8));
        speaker.pause(); // pause and resume are idempotent
        speaker.pause();
        speaker.resume();
        speaker.resume();
        hssSound sound = loaded<hssSound>(mono16Wave(std::vector<int16_t>(22050, 1000), 22050));
        sound.loop = true;
        ASSERT_GE(speaker.playSound(&sound), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(HSS_OK, speaker.close());
    }
    const Bytes raw = support::readFile(folder / "out.raw");
    size_t mixed = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2)
        mixed += static_cast<int16_t>(raw[i] | (raw[i + 1] << 8)) == 500;
    EXPECT_GT(mixed, 1000u);
}

