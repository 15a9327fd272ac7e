// The SDL output driver, headless: SDL's disk driver records what the engine mixed.
#include "SoundFixtures.h"

#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

using namespace soundtest;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

}

TEST(SdlDriver, DiskDeviceReceivesTheMix)
{
    char folder[] = "/tmp/tintrow-sdl-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(folder));
    const std::string output = std::string(folder) + "/out.raw";
    {
        ScopedEnv driver("SDL_AUDIODRIVER", "disk");
        ScopedEnv file("SDL_DISKAUDIOFILE", output);
        ScopedEnv delay("SDL_DISKAUDIODELAY", "1");
        hssSpeaker speaker;
        ASSERT_EQ(HSS_OK, speaker.open(22050, 16, 0, 1, 8));
        speaker.pause();
        speaker.pause();
        speaker.resume();
        speaker.resume();
        Bytes wave = makeWave(pcmFormat(1, 22050, 16), pcm16(std::vector<int16_t>(22050, 1000)));
        hssSound sound;
        ASSERT_EQ(HSS_OK, sound.load(wave.data(), wave.size()));
        sound.loop = true;
        ASSERT_GE(speaker.playSound(&sound), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(HSS_OK, speaker.close());
    }
    std::ifstream in(output, std::ios::binary);
    Bytes raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t mixed = 0;
    for (size_t i = 0; i + 1 < raw.size(); i += 2)
        mixed += static_cast<int16_t>(raw[i] | (raw[i + 1] << 8)) == 500;
    EXPECT_GT(mixed, 1000u);
    std::remove(output.c_str());
    rmdir(folder);
}

TEST(SdlDriver, NoDeviceReportsMinusOne)
{
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    hssSpeaker speaker;
    EXPECT_EQ(HSS_NO_DEVICE, speaker.open(44100, 16, 1, 1, 8));
    EXPECT_FALSE(speaker.isOpen());
    hssSound sound;
    EXPECT_EQ(HSS_NO_CHANNEL, speaker.playSound(&sound));
}
