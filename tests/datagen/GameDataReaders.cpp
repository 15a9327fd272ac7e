// The tunes of the packed game.dat through the game's own archive reader, module loader and
// offline mixer: audible and unclipped, which the packed-data check does not listen for.
#include "Audio.h"

#include "io/DArchive.h"
#include "lang/DArray.h"
#include "sound/hssMusic.h"
#include "sound/hssOfflineRenderer.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace datagen;

namespace {

class GameDataReaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        vela::io::openArchiveAt(TINTROW_GAME_DAT);
        ASSERT_TRUE(vela::io::isArchiveOpen()) << vela::io::archiveFailureReason();
    }
    void TearDown() override { vela::io::closeArchive(); }

    static std::vector<uint8_t> member(const std::string& name)
    {
        vela::lang::DbyteArrayPtr bytes = vela::io::readArchiveMember(name);
        const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes->data());
        return std::vector<uint8_t>(p, p + bytes->length());
    }
};

}  // namespace

TEST_F(GameDataReaders, TunesMixIntoMusicNeitherSilentNorClipped)
{
    for (const SoundName& s : soundTable()) {
        if (!s.tune)
            continue;
        std::string name = std::string(s.name) + ".mod";
        std::vector<uint8_t> bytes = member(name);
        hssMusic music;
        ASSERT_EQ(music.load(bytes.data(), bytes.size()), 0) << name;
        EXPECT_TRUE(music.tracks() == 4 || music.tracks() == 8) << name;
        hssRenderSettings settings;
        settings.frequency = 11025;
        settings.stereo = false;
        std::vector<uint8_t> pcm;
        ASSERT_EQ(hssRenderOffline(bytes.data(), bytes.size(), true, settings, pcm), 0) << name;
        size_t frames = pcm.size() / 2;
        long loud = 0, clipped = 0;
        for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
            int v = int16_t(pcm[i] | pcm[i + 1] << 8);
            loud += std::abs(v) > 2000;
            clipped += std::abs(v) >= 32767;
        }
        EXPECT_GT(loud, long(frames / 4)) << name << " is mostly silent";
        EXPECT_LT(clipped, long(frames / 1000)) << name << " clips";
    }
}
