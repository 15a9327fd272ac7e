// Offline rendering: formats, song ends, timed renders and the wave file written around them.
#include "SoundFixtures.h"

#include "sound/hssOfflineRenderer.h"
#include "sound/hssSound.h"

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

hssRenderSettings settingsOf(int frequency, int bits, bool stereo, double seconds = -1)
{
    hssRenderSettings settings;
    settings.frequency = frequency;
    settings.bits = bits;
    settings.stereo = stereo;
    settings.seconds = seconds;
    return settings;
}

}

TEST(OfflineRender, ModulePlaysOnceToItsEnd)
{
    const Bytes song = oneRowSong();
    for (const hssRenderSettings& s : {settingsOf(44100, 16, true), settingsOf(22050, 8, false), settingsOf(8000, 16, false)}) {
        Bytes pcm;
        ASSERT_EQ(HSS_OK, hssRenderOffline(song.data(), song.size(), true, s, pcm));
        // One row of six ticks of frequency / 50 frames; the first row takes one frame more.
        EXPECT_EQ(static_cast<size_t>(6 * (s.frequency / 50) + 1) * (s.bits / 8) * (s.stereo ? 2 : 1), pcm.size()) << s.frequency;
    }
}

TEST(OfflineRender, TimedRenderLoopsTheModuleAndPadsAWave)
{
    const Bytes song = oneRowSong();
    hssRenderSettings settings = settingsOf(44100, 16, false, 0.5);
    Bytes pcm;
    ASSERT_EQ(HSS_OK, hssRenderOffline(song.data(), song.size(), true, settings, pcm));
    ASSERT_EQ(22050u * 2, pcm.size());
    EXPECT_NE(0, pcm[2 * 22000] | pcm[2 * 22000 + 1]);   // still playing: the song looped

    const Bytes wave = mono16Wave(std::vector<int16_t>(100, 1000));
    pcm.clear();
    ASSERT_EQ(HSS_OK, hssRenderOffline(wave.data(), wave.size(), false, settings, pcm));
    ASSERT_EQ(22050u * 2, pcm.size());
    EXPECT_EQ(500, static_cast<int16_t>(pcm[0] | (pcm[1] << 8)));
    EXPECT_EQ(0, pcm[2 * 200] | pcm[2 * 200 + 1]);
    pcm.clear();
    settings.seconds = -1;   // untimed, the output ends with the sound
    ASSERT_EQ(HSS_OK, hssRenderOffline(wave.data(), wave.size(), false, settings, pcm));
    EXPECT_EQ(100u * 2, pcm.size());
}

TEST(OfflineRender, FailuresComeBackAsStatus)
{
    Bytes pcm;
    hssRenderSettings settings;
    const Bytes junk(2000, 7);
    EXPECT_EQ(HSS_UNSUPPORTED, hssRenderOffline(junk.data(), junk.size(), true, settings, pcm));
    EXPECT_EQ(HSS_NOT_WAVE, hssRenderOffline(junk.data(), junk.size(), false, settings, pcm));
    settings.bits = 12;
    const Bytes song = oneRowSong();
    EXPECT_EQ(HSS_NO_DEVICE, hssRenderOffline(song.data(), song.size(), true, settings, pcm));
    EXPECT_TRUE(pcm.empty());
}

TEST(OfflineRender, WaveFileReadsBackAsTheSamePcm)
{
    const Bytes pcm = {1, 2, 3, 4, 5, 6};
    const Bytes file = hssWaveFileOf(pcm, settingsOf(11025, 8, true));
    ASSERT_EQ(44u + pcm.size(), file.size());
    const hssSound sound = loaded<hssSound>(file);
    EXPECT_TRUE(sound.is8bit());
    EXPECT_TRUE(sound.isStereo());
    EXPECT_EQ(11025, sound.sampleRate());
    EXPECT_EQ(3, sound.length());
    EXPECT_EQ(pcm, Bytes(sound.data(), sound.data() + 6));
}
