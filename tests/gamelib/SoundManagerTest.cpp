// The sound control: finding the files, loading at once or on demand within a budget, and which
// idle sound goes first.
#include "GameLibTestSupport.h"
#include "sound/SoundFixtures.h"

#include "gamelib/SoundManager.h"
#include "microedition/media/DManager.h"
#include "sound/hssChannel.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::media::DManager;
using vela::microedition::media::DPlayer;
using vela::microedition::media::DPlayerPtr;

namespace {

std::string asText(const soundtest::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// A mono 16-bit wave of exactly `bytes` bytes (even, at least 46).
std::string waveOfSize(size_t bytes)
{
    return asText(soundtest::mono16Wave(std::vector<int16_t>((bytes - 44) / 2, 3000)));
}

std::string tune()
{
    soundtest::ModuleBuilder builder;
    builder.setSample(1, std::vector<int8_t>(2000, 40), 64, 0, 0, 1000);
    builder.setCell(0, 0, 0, {1, 428, 0, 0});
    return asText(builder.build());
}

struct Row { std::string name; int32_t kind; int32_t group; };

class SoundManagerTest : public ::testing::Test {
protected:
    SoundManagerTest() : clock(1000) { DManager::setDriverFactory(hssCreateMemoryDriver); }
    ~SoundManagerTest() override
    {
        manager->release();
        DManager::release();
        DManager::setDriverFactory(nullptr);
    }

    // A fresh manager with a table over "t/<name>" members.
    void initTable(const std::vector<Row>& rows, bool onDemand = true)
    {
        manager->release();
        manager = new SoundManager();
        const int32_t count = int32_t(rows.size());
        DStringArrayPtr names(new DStringArray(count));
        DintArrayPtr kinds(new DintArray(count)), groups(new DintArray(count));
        for (int32_t i = 0; i < count; ++i) {
            names->set(i, new DString(("t/" + rows[size_t(i)].name).c_str()));
            (*kinds)[i] = rows[size_t(i)].kind;
            (*groups)[i] = rows[size_t(i)].group;
        }
        manager->init(names, kinds, groups, 4, onDemand);
    }
    // Effects "t/s<i>.wav" of the given sizes, opened and made the table.
    void effects(const std::vector<size_t>& sizes, TestResources& folder)
    {
        std::map<std::string, std::string> members;
        std::vector<Row> rows;
        for (size_t i = 0; i < sizes.size(); ++i) {
            members["t/s" + std::to_string(i) + ".wav"] = waveOfSize(sizes[i]);
            rows.push_back({"s" + std::to_string(i), 1, 3});
        }
        folder.openArchive(members);
        initTable(rows);
    }
    // Plays a sound once at `time` and mixes until it has ended.
    void playedAt(int32_t index, uint64_t time)
    {
        FakeClock::now = time;
        ASSERT_TRUE(manager->play(index, 0)) << "sound " << index;
        auto* driver = static_cast<hssMemoryDriver*>(DManager::speaker()->driver());
        std::vector<uint8_t> out(size_t(driver->format().bytesPerFrame()) * 4096);
        for (int pass = 0; pass < 40; ++pass)
            ASSERT_TRUE(driver->render(out.data(), int32_t(out.size())));
        ASSERT_FALSE(manager->isPlaying(index));
    }
    std::vector<bool> loaded()
    {
        std::vector<bool> result;
        for (int32_t i = 0; i < manager->soundCount(); ++i)
            result.push_back(manager->isLoaded(i));
        return result;
    }

    FakeClock clock;
    TestResources resources;
    SoundManagerPtr manager = new SoundManager();
};

}

TEST_F(SoundManagerTest, EvictsTheIdleSoundsStartedLongestAgoLargerFirst)
{
    const struct {
        const char* what;
        std::vector<size_t> sizes;
        int32_t budget;
        std::vector<std::pair<int32_t, uint64_t>> plays;
        std::vector<bool> loaded;
    } cases[] = {
        {"oldest first", {1000, 1000, 1000}, 2000, {{1, 100}, {0, 200}, {2, 300}, {1, 400}}, {false, true, true}},
        // 2400 loaded; 900 more needs 800 freed: the larger of the two oldest is enough.
        {"equal times: larger first", {600, 1000, 800, 900}, 2500, {{0, 100}, {1, 100}, {2, 200}, {3, 300}},
         {true, false, true, true}},
        {"as many as needed", {500, 500, 500, 1200}, 2000, {{2, 100}, {0, 200}, {1, 300}, {3, 400}},
         {false, true, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestResources own;
        effects(c.sizes, own);
        manager->budget = c.budget;
        for (auto [index, time] : c.plays)
            playedAt(index, time);
        EXPECT_EQ(c.loaded, loaded());
        EXPECT_LE(manager->loadedSize(), c.budget);
    }
}

TEST_F(SoundManagerTest, PlayingSoundsAreNeverEvictedAndNoSoundOutgrowsTheBudget)
{
    effects({200000, 200000, 200000, 600000}, resources);
    ASSERT_TRUE(manager->play(0, true, 0));
    FakeClock::now = 2000;
    ASSERT_TRUE(manager->play(1, true, 0));
    EXPECT_FALSE(manager->play(2, 0));
    manager->stopSound(1); // stopping one makes room, and only that one goes
    FakeClock::now = 3000;
    EXPECT_TRUE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{true, false, true, false}), loaded());
    manager->stop(-1, false);
    EXPECT_FALSE(manager->play(3, 0));
    EXPECT_FALSE(manager->isLoaded(3));
}

TEST_F(SoundManagerTest, AnEvictedStoppedTuneGivesBackItsChannelAndReleaseFreesEverything)
{
    std::string music = tune();
    resources.openArchive({{"t/music.mod", music}, {"t/fx.wav", waveOfSize(1000)}});
    initTable({{"music", 0, 0}, {"fx", 1, 3}});
    manager->budget = int32_t(music.size()) + 500;
    DPlayerPtr player = manager->play(0, true, 0);
    ASSERT_TRUE(player);
    hssChannel* channel = DManager::speaker()->channel(player->getChannelId());
    manager->stopSound(0);
    EXPECT_FALSE(channel->isFree()) << "a stopped tune holds its channel to resume from";
    player = nullptr;
    FakeClock::now = 2000;
    DPlayerPtr effect = manager->play(1, true, 0);
    ASSERT_TRUE(effect);
    EXPECT_FALSE(manager->isLoaded(0));
    EXPECT_TRUE(channel->isFree());
    hssChannel* effectChannel = DManager::speaker()->channel(effect->getChannelId());
    manager->release();
    EXPECT_EQ(DPlayer::CLOSED, effect->getState());
    EXPECT_TRUE(effectChannel->isFree());
    EXPECT_FALSE(manager->play(0, 0));
}
