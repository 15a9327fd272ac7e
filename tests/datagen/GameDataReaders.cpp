// Reads the packed game.dat with the game's own readers: the archive index and decoder, the
// level loader, the wave and module loaders and the sound engine's offline mixer.
#include "Audio.h"

#include "game/rules/LevelFile.h"
#include "io/DArchive.h"
#include "lang/DArray.h"
#include "lang/DExceptionBase.h"
#include "sound/hssMusic.h"
#include "sound/hssOfflineRenderer.h"
#include "sound/hssSound.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(GameDataReaders, LevelsLoadAsTheGameReadsThem)
{
    std::vector<std::string> names = vela::io::archiveMemberNames();
    int count = 0;
    for (; std::find(names.begin(), names.end(), std::to_string(count) + ".bin") != names.end(); ++count) {
        try {
            tintrow::LevelFile::parse(vela::io::readArchiveMember(std::to_string(count) + ".bin"));
        } catch (vela::lang::DExceptionBase* e) {
            delete e;
            ADD_FAILURE() << "level " << count << " does not load";
        }
    }
    EXPECT_GE(count, 30);
}

TEST_F(GameDataReaders, SoundsLoadAndTunesMixIntoMusic)
{
    for (const SoundName& s : soundTable()) {
        std::string name = std::string(s.name) + (s.tune ? ".mod" : ".wav");
        std::vector<uint8_t> bytes = member(name);
        if (!s.tune) {
            hssSound sound;
            EXPECT_EQ(sound.load(bytes.data(), bytes.size()), 0) << name;
            EXPECT_GT(sound.length(), 0) << name;
            continue;
        }
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
