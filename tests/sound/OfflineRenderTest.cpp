// Offline rendering: formats, song ends, timed renders and the wave file written around them.
#include "SoundFixtures.h"

#include "sound/hssOfflineRenderer.h"
#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

using namespace soundtest;

namespace {

Bytes oneRowSong()
{
    ModuleBuilder builder;
    builder.setSample(1, std::vector<int8_t>(20000, 100));
    builder.setCell(0, 0, 0, {1, 428, 0, 0});
    builder.setCell(0, 1, 0, {0, 0, 0xD, 0});   // reading this break ends the song
    return builder.build();
}

}

TEST(OfflineRender, ModulePlaysOnceToItsEnd)
{
    Bytes song = oneRowSong();
    struct Case {
        int frequency, bits;
        bool stereo;
    };
    for (const Case& c : {Case{44100, 16, true}, Case{22050, 8, false}, Case{8000, 16, false}}) {
        hssRenderSettings settings;
        settings.frequency = c.frequency;
        settings.bits = c.bits;
        settings.stereo = c.stereo;
        Bytes pcm;
        ASSERT_EQ(HSS_OK, hssRenderOffline(song.data(), song.size(), true, settings, pcm));
        const size_t frameBytes = (c.bits / 8) * (c.stereo ? 2 : 1);
        // One row of six ticks of frequency / 50 frames; the first row takes one frame more.
        EXPECT_EQ(static_cast<size_t>(6 * (c.frequency / 50) + 1) * frameBytes, pcm.size()) << c.frequency;
    }
}

TEST(OfflineRender, TimedRenderLoopsTheModuleAndPadsAWave)
{
    Bytes song = oneRowSong();
    hssRenderSettings settings;
    settings.seconds = 0.5;
    settings.stereo = false;
    Bytes pcm;
    ASSERT_EQ(HSS_OK, hssRenderOffline(song.data(), song.size(), true, settings, pcm));
    ASSERT_EQ(22050u * 2, pcm.size());
    EXPECT_NE(0, pcm[2 * 22000] | pcm[2 * 22000 + 1]);   // still playing: the song looped

    Bytes wave = makeWave(pcmFormat(1, 44100, 16), pcm16(std::vector<int16_t>(100, 1000)));
    pcm.clear();
    ASSERT_EQ(HSS_OK, hssRenderOffline(wave.data(), wave.size(), false, settings, pcm));
    ASSERT_EQ(22050u * 2, pcm.size());
    EXPECT_EQ(500, static_cast<int16_t>(pcm[0] | (pcm[1] << 8)));
    EXPECT_EQ(0, pcm[2 * 200] | pcm[2 * 200 + 1]);

    // Untimed, the output ends with the sound.
    pcm.clear();
    settings.seconds = -1;
    ASSERT_EQ(HSS_OK, hssRenderOffline(wave.data(), wave.size(), false, settings, pcm));
    EXPECT_EQ(100u * 2, pcm.size());
}

TEST(OfflineRender, FailuresComeBackAsStatus)
{
    Bytes pcm;
    hssRenderSettings settings;
    Bytes junk(2000, 7);
    EXPECT_EQ(HSS_UNSUPPORTED, hssRenderOffline(junk.data(), junk.size(), true, settings, pcm));
    EXPECT_EQ(HSS_NOT_WAVE, hssRenderOffline(junk.data(), junk.size(), false, settings, pcm));
    settings.bits = 12;
    Bytes song = oneRowSong();
    EXPECT_EQ(HSS_NO_DEVICE, hssRenderOffline(song.data(), song.size(), true, settings, pcm));
    EXPECT_TRUE(pcm.empty());
}

TEST(OfflineRender, WaveFileReadsBackAsTheSamePcm)
{
    hssRenderSettings settings;
    settings.frequency = 11025;
    settings.bits = 8;
    settings.stereo = true;
    Bytes pcm = {1, 2, 3, 4, 5, 6};
    Bytes file = hssWaveFileOf(pcm, settings);
    ASSERT_EQ(44u + pcm.size(), file.size());
    hssSound sound;
    ASSERT_EQ(HSS_OK, sound.load(file.data(), file.size()));
    EXPECT_TRUE(sound.is8bit());
    EXPECT_TRUE(sound.isStereo());
    EXPECT_EQ(11025, sound.sampleRate());
    EXPECT_EQ(3, sound.length());
    EXPECT_EQ(pcm, Bytes(sound.data(), sound.data() + 6));
}
