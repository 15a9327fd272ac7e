// The sound control: its table and lookup, the budget with its eviction order, play and stop.
#include "GameLibTestSupport.h"
#include "sound/SoundFixtures.h"

#include "gamelib/SoundManager.h"
#include "microedition/media/DManager.h"
#include "sound/hssChannel.h"

#include <map>

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
    std::vector<int16_t> samples((bytes - 44) / 2, 3000);
    return asText(soundtest::makeWave(soundtest::pcmFormat(1, 44100, 16), soundtest::pcm16(samples)));
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
    // Effects "t/<prefix><i>.wav" of the given sizes, opened and made the table.
    void effects(const std::vector<size_t>& sizes) { effects(sizes, resources); }
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

const Row GAME_TABLE[SoundManager::GAME_SOUND_COUNT] = {
    {"snd/dec", 1, 3}, {"snd/inc", 1, 3}, {"snd/move", 1, 3}, {"snd/select", 1, 3}, {"snd/fun", 1, 3},
    {"snd/no", 1, 3}, {"snd/victory", 1, 3}, {"snd/defeat", 1, 3}, {"snd/menu_move", 0, 2},
    {"snd/menu_select", 0, 2}, {"snd/menu", 0, 0}, {"snd/game1", 0, 1}, {"snd/game2", 0, 1},
    {"snd/game3", 0, 1},
};

}

TEST_F(SoundManagerTest, GameTableNamesKindsAndGroups)
{
    // Even rows as waves, odd rows as modules; each member has a size of its own.
    std::map<std::string, std::string> members;
    auto file = [](int i) { return GAME_TABLE[i].name + (i % 2 ? ".mod" : ".wav"); };
    for (int i = 0; i < SoundManager::GAME_SOUND_COUNT; ++i)
        members[file(i)] = std::string(size_t(100 + i), 'x');
    resources.openArchive(members);
    manager->initGameSounds();

    ASSERT_EQ(SoundManager::GAME_SOUND_COUNT, manager->soundCount());
    for (int i = 0; i < SoundManager::GAME_SOUND_COUNT; ++i) {
        PlayerInfoPtr info = manager->infos->get(i);
        EXPECT_EQ(GAME_TABLE[i].kind, info->kind) << i;
        EXPECT_EQ(GAME_TABLE[i].group, info->group) << i;
        EXPECT_EQ(file(i), info->path ? info->path->toUtf8() : "<null>");
        EXPECT_EQ(100 + i, info->size) << i;
        EXPECT_FALSE(manager->isLoaded(i)) << i;
    }
    EXPECT_TRUE(manager->onDemand);
    EXPECT_EQ(512000, manager->budget);
    EXPECT_EQ(4, manager->groupLimits->length());
    EXPECT_TRUE(manager->enabled);
    EXPECT_TRUE(manager->ignoreGroupLimits);
}

TEST_F(SoundManagerTest, InitTriesWaveThenModule)
{
    resources.openArchive({{"t/both.wav", std::string(60, 'w')}, {"t/both.mod", std::string(70, 'm')},
        {"t/tune.mod", std::string(80, 'm')}, {"t/other.ogg", std::string(90, 'o')}});
    initTable({{"both", 0, 0}, {"tune", 0, 0}, {"other", 0, 0}, {"absent", 0, 0}});
    const std::pair<std::string, int32_t> expected[] = {{"t/both.wav", 60}, {"t/tune.mod", 80}, {"<null>", 0},
        {"<null>", 0}};
    for (int32_t i = 0; i < 4; ++i) {
        PlayerInfoPtr info = manager->infos->get(i);
        EXPECT_EQ(expected[i], std::make_pair(info->path ? info->path->toUtf8() : "<null>", info->size));
    }
    // A sound without a file is silently never played.
    EXPECT_FALSE(manager->play(3, 0));
    EXPECT_FALSE(manager->isLoaded(3));
}

TEST_F(SoundManagerTest, InitRefusesListsThatDoNotMatchAndKeepsTheTable)
{
    effects({100});
    auto names = [](int32_t n) { return DStringArrayPtr(new DStringArray(n)); };
    auto ints = [](int32_t n) { return DintArrayPtr(new DintArray(n)); };
    const std::pair<std::function<void()>, uint32_t> cases[] = {
        {[&] { manager->init(names(2), ints(1), ints(2), 4, true); }, IllegalArgumentException},
        {[&] { manager->init(names(2), ints(2), ints(1), 4, true); }, IllegalArgumentException},
        {[&] { manager->init(nullptr, ints(1), ints(1), 4, true); }, NullPointerException},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.second, thrownCode(c.first));
        EXPECT_EQ(1, manager->soundCount());
    }
}

TEST_F(SoundManagerTest, LoadingAtInitOrOnDemand)
{
    resources.openArchive({{"t/a.wav", waveOfSize(400)}, {"t/b.mod", tune()}, {"t/bad.wav", "RIFF junk"}});
    const std::vector<Row> rows = {{"a", 1, 3}, {"b", 0, 0}, {"bad", 1, 3}, {"none", 1, 3}};
    initTable(rows, false);
    EXPECT_EQ((std::vector<bool>{true, true, false, false}), loaded());
    EXPECT_EQ(DPlayer::PREFETCHED, manager->players->get(0)->getState());

    initTable(rows, true);
    EXPECT_EQ((std::vector<bool>{false, false, false, false}), loaded());
    EXPECT_TRUE(manager->play(1, true, 0));
    // Damaged data is not played and takes nothing from the budget.
    EXPECT_FALSE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{false, true, false, false}), loaded());
    EXPECT_EQ(int64_t(tune().size()), manager->loadedSize());
}

TEST_F(SoundManagerTest, VolumesAreClampedAndBecomeMasterLevels)
{
    effects({100});
    for (auto [set, stored] : {std::pair{100, 64}, {-5, 0}, {30, 30}, {64, 64}, {0, 0}, {65, 64}}) {
        manager->setSoundVolume(set);
        manager->setMusicVolume(set == 30 ? 1 : 30);
        EXPECT_EQ(stored, manager->getSoundVolume()) << set;
        EXPECT_EQ(stored, DManager::speaker()->masterSoundLevel()) << set;
        manager->setMusicVolume(set);
        manager->setSoundVolume(set == 30 ? 1 : 30);
        EXPECT_EQ(stored, manager->getMusicVolume()) << set;
        EXPECT_EQ(stored, DManager::speaker()->masterMusicLevel()) << set;
    }
}

TEST_F(SoundManagerTest, PlayAnswersTheStartedPlayerWithLoopAndPan)
{
    effects({2000});
    DPlayerPtr looped = manager->play(0, true, -20);
    ASSERT_TRUE(looped);
    EXPECT_EQ(1000, manager->infos->get(0)->lastPlayTime);
    EXPECT_EQ(-1, looped->getLoopCount());
    EXPECT_EQ(-20, looped->getPan());

    // The same sound again overlaps itself on a second player.
    FakeClock::now = 1500;
    DPlayerPtr once = manager->play(0, 10);
    ASSERT_TRUE(once);
    EXPECT_NE(looped.get(), once.get());
    EXPECT_EQ(1, once->getLoopCount());
    EXPECT_EQ(10, once->getPan());
    EXPECT_EQ(1500, manager->infos->get(0)->lastPlayTime);
    EXPECT_TRUE(manager->isPlaying(0));
    for (int32_t index : {-1, 1, 99}) {
        EXPECT_FALSE(manager->isPlaying(index)) << index;
        EXPECT_FALSE(manager->play(index, 0)) << index;
    }
}

TEST_F(SoundManagerTest, DisabledOrOverItsGroupLimitNothingPlaysOrLoads)
{
    EXPECT_FALSE(manager->play(0, 0)); // no table yet
    effects({400, 400});
    manager->infos->get(1)->group = 9;
    manager->enabled = false;
    EXPECT_FALSE(manager->play(0, 0));
    manager->enabled = true;
    manager->ignoreGroupLimits = false;
    EXPECT_FALSE(manager->play(0, 0));
    EXPECT_EQ((std::vector<bool>{false, false}), loaded());
    (*manager->groupLimits)[3] = 1;
    EXPECT_TRUE(manager->play(0, 0));
    // A group beyond the limits has no room.
    EXPECT_FALSE(manager->play(1, 0));
    manager->ignoreGroupLimits = true;
    EXPECT_TRUE(manager->play(1, 0));
}

TEST_F(SoundManagerTest, StopSelectsByGroupKindAllOrOneSound)
{
    resources.openArchive({{"t/fx.wav", waveOfSize(1000)}, {"t/click.wav", waveOfSize(1000)}, {"t/music.mod", tune()}});
    initTable({{"fx", 1, 3}, {"click", 0, 2}, {"music", 0, 0}});
    struct Case { int32_t key; bool byGroup; std::vector<bool> left; };
    const Case cases[] = {
        {3, true, {false, true, true}}, {2, true, {true, false, true}}, {0, true, {true, true, false}},
        {1, false, {false, true, true}}, {0, false, {true, false, false}}, {3, false, {true, true, true}},
        {-1, false, {false, false, false}}, {-1, true, {false, false, false}},
    };
    for (const Case& c : cases) {
        for (int32_t i = 0; i < 3; ++i)
            ASSERT_TRUE(manager->play(i, true, 0)) << i;
        manager->stop(c.key, c.byGroup);
        EXPECT_EQ(c.left, (std::vector<bool>{manager->isPlaying(0), manager->isPlaying(1), manager->isPlaying(2)}))
            << c.key << " by group " << c.byGroup;
        manager->stop(-1, false);
    }
    // One sound stops with its overlapping copies; a number out of range stops nothing.
    DPlayerPtr first = manager->play(0, true, 0), copy = manager->play(0, true, 0), other = manager->play(1, true, 0);
    manager->stopSound(0);
    manager->stopSound(7);
    EXPECT_FALSE(first->isPlaying() || copy->isPlaying());
    EXPECT_TRUE(other->isPlaying());
}

TEST_F(SoundManagerTest, EvictsTheIdleSoundsStartedLongestAgoLargerFirst)
{
    struct Case {
        const char* what;
        std::vector<size_t> sizes;
        int32_t budget;
        std::vector<std::pair<int32_t, uint64_t>> plays;
        std::vector<bool> loaded;
    };
    const Case cases[] = {
        {"oldest first", {1000, 1000, 1000}, 2000, {{1, 100}, {0, 200}, {2, 300}, {1, 400}}, {false, true, true}},
        // 2400 loaded; 900 more needs 800 freed: the larger of the two oldest is enough.
        {"equal times: larger first", {600, 1000, 800, 900}, 2500, {{0, 100}, {1, 100}, {2, 200}, {3, 300}},
            {true, false, true, true}},
        {"as many as needed", {500, 500, 500, 1200}, 2000, {{2, 100}, {0, 200}, {1, 300}, {3, 400}},
            {false, true, false, true}},
    };
    for (const Case& c : cases) {
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

TEST_F(SoundManagerTest, PlayingSoundsAreNeverEvicted)
{
    effects({200000, 200000, 200000, 600000});
    ASSERT_TRUE(manager->play(0, true, 0));
    FakeClock::now = 2000;
    ASSERT_TRUE(manager->play(1, true, 0));
    EXPECT_FALSE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{true, true, false, false}), loaded());
    EXPECT_TRUE(manager->isPlaying(0) && manager->isPlaying(1));

    // Stopping one makes room, and only that one goes.
    manager->stopSound(1);
    FakeClock::now = 3000;
    EXPECT_TRUE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{true, false, true, false}), loaded());
    // Larger than the whole budget: refused even once everything is idle.
    manager->stop(-1, false);
    EXPECT_FALSE(manager->play(3, 0));
    EXPECT_FALSE(manager->isLoaded(3));
}

TEST_F(SoundManagerTest, EvictedStoppedTuneGivesBackItsChannel)
{
    std::string music = tune();
    resources.openArchive({{"t/music.mod", music}, {"t/fx.wav", waveOfSize(1000)}});
    initTable({{"music", 0, 0}, {"fx", 1, 3}});
    manager->budget = int32_t(music.size()) + 500;
    DPlayerPtr player = manager->play(0, true, 0);
    ASSERT_TRUE(player);
    hssChannel* channel = DManager::speaker()->channel(player->getChannelId());
    manager->stopSound(0);
    // A stopped tune holds its channel to resume from.
    EXPECT_FALSE(channel->isFree());
    player = nullptr;
    FakeClock::now = 2000;
    ASSERT_TRUE(manager->play(1, 0));
    EXPECT_FALSE(manager->isLoaded(0));
    EXPECT_TRUE(channel->isFree());
}

TEST_F(SoundManagerTest, ReleaseStopsClosesAndEmptiesTheTable)
{
    resources.openArchive({{"t/a.wav", waveOfSize(1000)}, {"t/music.mod", tune()}});
    initTable({{"a", 1, 3}, {"music", 0, 0}});
    const DPlayerPtr players[] = {manager->play(0, true, 0), manager->play(1, true, 0)};
    for (const DPlayerPtr& player : players)
        ASSERT_TRUE(player);
    hssChannel* channels[] = {DManager::speaker()->channel(players[0]->getChannelId()),
        DManager::speaker()->channel(players[1]->getChannelId())};
    manager->release();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(DPlayer::CLOSED, players[i]->getState());
        EXPECT_TRUE(channels[i]->isFree());
    }
    EXPECT_EQ(0, manager->soundCount());
    EXPECT_FALSE(manager->play(0, 0));
    EXPECT_FALSE(manager->isPlaying(0));
    manager->stop(-1, false);
    manager->stopSound(0);
}

TEST_F(SoundManagerTest, WithoutAnOutputNothingPlaysAndNothingFails)
{
    DManager::setDriverFactory(soundtest::failingDriver);
    effects({1000});
    EXPECT_FALSE(manager->play(0, true, 0));
    EXPECT_FALSE(manager->isPlaying(0));
    manager->setMusicVolume(100);
    EXPECT_EQ(64, manager->getMusicVolume());
    manager->stop(-1, false);
    manager->stopSound(0);
}
