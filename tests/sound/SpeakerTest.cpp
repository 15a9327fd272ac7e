// Opening and closing the engine, channel pools, allocation and master levels.
#include "SoundFixtures.h"

#include "sound/hssSound.h"

using namespace soundtest;

namespace {

hssSound loadedSound(int frames = 100)
{
    return loaded<hssSound>(makeWave(pcmFormat(1, 44100, 8), Bytes(static_cast<size_t>(frames), 0x90)));
}

}

TEST(SpeakerOpen, ClampsChannelCounts)
{
    struct Case {
        int music, sounds, expectedMusic, expectedSounds;
    };
    const Case cases[] = {{0, 0, 1, 8}, {1, 3, 1, 8}, {64, 128, 64, 128}, {65, 200, 64, 128}, {-4, 9, 1, 9}};
    for (const Case& c : cases) {
        hssSpeaker speaker(hssCreateMemoryDriver);
        ASSERT_EQ(HSS_OK, speaker.open(22050, 16, 1, c.music, c.sounds));
        EXPECT_EQ(c.expectedMusic, speaker.musicChannelCount()) << c.music;
        EXPECT_EQ(c.expectedSounds, speaker.soundChannelCount()) << c.sounds;
    }
}

TEST(SpeakerOpen, ReportsFailuresByStatus)
{
    hssSpeaker speaker(hssCreateMemoryDriver);
    EXPECT_EQ(HSS_NO_DEVICE, speaker.open(44100, 24, 1, 1, 8));
    EXPECT_FALSE(speaker.isOpen());
    EXPECT_EQ(HSS_NOT_OPEN, speaker.close());
    ASSERT_EQ(HSS_OK, speaker.open(44100, 8, 0, 1, 8));
    EXPECT_EQ(HSS_ALREADY_OPEN, speaker.open(44100, 16, 1, 1, 8));
    EXPECT_EQ(HSS_OK, speaker.close());
    EXPECT_EQ(HSS_NOT_OPEN, speaker.close());

    hssSpeaker noDriver([]() -> hssDriver* { return nullptr; });
    EXPECT_EQ(HSS_DRIVER_FAILED, noDriver.open(44100, 16, 1, 1, 8));
    hssSpeaker noDevice(failingDriver);
    EXPECT_EQ(HSS_NO_DEVICE, noDevice.open(44100, 16, 1, 1, 8));
    hssSound sound;
    EXPECT_EQ(HSS_NO_CHANNEL, noDevice.playSound(&sound));
    EXPECT_EQ(nullptr, noDevice.channel(0));
}

TEST(SpeakerOpen, DriverGetsFormatLatencyBufferAndRuns)
{
    MemoryEngine engine(22050, 8, 0);
    const hssFormat& format = engine.driver().format();
    EXPECT_EQ(22050, format.frequency);
    EXPECT_EQ(0x21, format.flags);
    EXPECT_EQ(1, format.channels);
    EXPECT_EQ(180 * 22050 / 1000, engine.driver().bufferFrames());
    EXPECT_FALSE(engine.driver().isPaused());
    engine.speaker.pause();
    engine.speaker.pause();
    EXPECT_TRUE(engine.driver().isPaused());
    engine.speaker.resume();
    EXPECT_FALSE(engine.driver().isPaused());
    EXPECT_EQ(64, engine.speaker.masterMusicLevel());
    EXPECT_EQ(64, engine.speaker.masterSoundLevel());

    const std::pair<hssFormat, bool> formats[] = {
        {{44100, 0x21, 2}, true}, {{44100, 0x12, 2}, true}, {{44100, 0x11, 2}, false}, {{44100, 0x22, 2}, false},
        {{44100, 0x33, 2}, false}, {{44100, 0, 2}, false}, {{44100, 0x12, 3}, false}, {{0, 0x12, 1}, false},
    };
    for (const auto& f : formats)
        EXPECT_EQ(f.second, f.first.valid()) << std::hex << f.first.flags << " " << f.first.channels;
}

TEST(SpeakerChannels, IdsNameMusicThenSoundChannelsAndUnlimitedSoundsTakeTheFirstFree)
{
    MemoryEngine engine(44100, 16, 1, 2, 8);
    EXPECT_EQ(nullptr, engine.speaker.channel(-1));
    EXPECT_NE(nullptr, dynamic_cast<hssMusicChannel*>(engine.speaker.channel(1)));
    EXPECT_NE(nullptr, dynamic_cast<hssSoundChannel*>(engine.speaker.channel(2)));
    EXPECT_EQ(nullptr, engine.speaker.channel(10));
    hssSound sound = loadedSound();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(2 + i, engine.speaker.playSound(&sound));
    EXPECT_EQ(HSS_NO_CHANNEL, engine.speaker.playSound(&sound));
    engine.speaker.channel(5)->setStopped(true);
    EXPECT_EQ(5, engine.speaker.playSound(&sound));
    engine.speaker.channel(4)->setStopped(true);   // a paused channel is still owned
    engine.speaker.channel(4)->setPaused(true);
    EXPECT_EQ(HSS_NO_CHANNEL, engine.speaker.playSound(&sound));
}

TEST(SpeakerChannels, InstanceLimitCountsCopiesAndTakesTheLastFreeChannel)
{
    MemoryEngine engine(44100, 16, 1, 1, 8);
    hssSound limited = loadedSound();
    hssSound other = loadedSound();
    limited.instanceLimit = 2;
    EXPECT_EQ(1, engine.speaker.playSound(&other));
    EXPECT_EQ(8, engine.speaker.playSound(&limited));
    EXPECT_EQ(7, engine.speaker.playSound(&limited));
    EXPECT_EQ(HSS_NO_CHANNEL, engine.speaker.playSound(&limited));
    engine.speaker.channel(8)->setStopped(true);
    EXPECT_EQ(8, engine.speaker.playSound(&limited));
    limited.instanceLimit = 0;
    EXPECT_EQ(HSS_NO_CHANNEL, engine.speaker.playSound(&limited));
}

TEST(SpeakerChannels, SoundTakesItsSettingsAndLevelsClamp)
{
    MemoryEngine engine;
    hssSound sound = loadedSound(300);
    sound.level = 40;
    sound.pan = 10;
    sound.loop = true;
    hssChannel* channel = engine.speaker.channel(engine.speaker.playSound(&sound));
    EXPECT_EQ(40, channel->effectiveLevel());
    EXPECT_EQ(10, channel->pan());
    EXPECT_TRUE(channel->isLooping() && channel->isActive());
    EXPECT_EQ(300, channel->getLength());
    channel->setPosition(120);
    EXPECT_EQ(120, channel->getPosition());
    channel->setPosition(5000);
    EXPECT_EQ(300, channel->getPosition());

    channel->setVolume(100);
    EXPECT_EQ(64, channel->volume());
    channel->setVolume(48);
    engine.speaker.setMasterSoundLevel(32);   // master levels re-apply to their own pool only
    EXPECT_EQ(24, channel->effectiveLevel());
    engine.speaker.setMasterSoundLevel(90);
    EXPECT_EQ(64, engine.speaker.masterSoundLevel());
    EXPECT_EQ(48, channel->effectiveLevel());
    engine.speaker.setMasterMusicLevel(0);
    EXPECT_EQ(48, channel->effectiveLevel());
    channel->setVolume(-3);
    EXPECT_EQ(0, channel->volume());
    channel->setPan(300);
    EXPECT_EQ(255, channel->pan());
}

TEST(SpeakerChannels, StopAllFreesPausedChannelsToo)
{
    MemoryEngine engine(44100, 16, 1, 1, 8);
    hssSound sound = loadedSound();
    const int a = engine.speaker.playSound(&sound);
    const int b = engine.speaker.playSound(&sound);
    engine.speaker.channel(b)->setPaused(true);
    engine.speaker.stopAll();
    for (int id : {0, a, b})
        EXPECT_TRUE(engine.speaker.channel(id)->isFree()) << id;
}
