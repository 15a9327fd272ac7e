// The sound control: its table and lookup, the budget with its eviction order, play and stop.
#include "TestResources.h"
#include "sound/SoundFixtures.h"

#include "gamelib/SoundManager.h"
#include "lang/DExceptionBase.h"
#include "lang/HostHooks.h"
#include "microedition/media/DManager.h"
#include "sound/hssChannel.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace vela::lang;
using vela::microedition::media::DManager;
using vela::microedition::media::DPlayer;
using vela::microedition::media::DPlayerPtr;

namespace {

int64_t nowMs = 0;

uint64_t testTicks()
{
    return uint64_t(nowMs);
}

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
    builder.setCell(0, 0, 0, { 1, 428, 0, 0 });
    return asText(builder.build());
}

DStringPtr text(const char16_t* literal)
{
    return DStringPtr(new DString(literal));
}

struct Row {
    const char16_t* name;
    int32_t kind;
    int32_t group;
};

uint32_t thrownKind(const std::function<void()>& body)
{
    try {
        body();
    } catch (DExceptionBase* e) {
        uint32_t code = e->code;
        delete e;
        return code;
    }
    return 0;
}

class SoundManagerTest : public ::testing::Test {
protected:
    SoundManagerTest()
    {
        nowMs = 1000;
        host::setTickSource(testTicks);
        DManager::setDriverFactory(hssCreateMemoryDriver);
        manager = new SoundManager();
    }
    ~SoundManagerTest() override
    {
        manager->release();
        DManager::release();
        DManager::setDriverFactory(nullptr);
        host::setTickSource(nullptr);
    }

    // A table over "t/<name>" members.
    void initTable(const std::vector<Row>& rows, bool onDemand = true)
    {
        const int32_t count = int32_t(rows.size());
        DStringArrayPtr names(new DStringArray(count));
        DintArrayPtr kinds(new DintArray(count));
        DintArrayPtr groups(new DintArray(count));
        for (int32_t i = 0; i < count; ++i) {
            names->set(i, text(u"t/") + rows[size_t(i)].name);
            (*kinds)[i] = rows[size_t(i)].kind;
            (*groups)[i] = rows[size_t(i)].group;
        }
        manager->init(names, kinds, groups, 4, onDemand);
    }

    // Mixes long enough for every sound of the tests that does not loop to end.
    void renderToEnd()
    {
        auto* driver = static_cast<hssMemoryDriver*>(DManager::speaker()->driver());
        std::vector<uint8_t> out(size_t(driver->format().bytesPerFrame()) * 4096);
        for (int pass = 0; pass < 40; ++pass)
            ASSERT_TRUE(driver->render(out.data(), int32_t(out.size())));
    }

    // Plays a sound once at `time` and lets it finish.
    void playedAt(int32_t index, int64_t time)
    {
        nowMs = time;
        ASSERT_TRUE(manager->play(index, 0)) << "sound " << index;
        renderToEnd();
        ASSERT_FALSE(manager->isPlaying(index));
    }

    std::vector<bool> loaded()
    {
        std::vector<bool> result;
        for (int32_t i = 0; i < manager->soundCount(); ++i)
            result.push_back(manager->isLoaded(i));
        return result;
    }

    TestResources resources;
    SoundManagerPtr manager;
};

const Row GAME_TABLE[SoundManager::GAME_SOUND_COUNT] = {
    { u"snd/dec", 1, 3 }, { u"snd/inc", 1, 3 }, { u"snd/move", 1, 3 }, { u"snd/select", 1, 3 },
    { u"snd/fun", 1, 3 }, { u"snd/no", 1, 3 }, { u"snd/victory", 1, 3 }, { u"snd/defeat", 1, 3 },
    { u"snd/menu_move", 0, 2 }, { u"snd/menu_select", 0, 2 }, { u"snd/menu", 0, 0 },
    { u"snd/game1", 0, 1 }, { u"snd/game2", 0, 1 }, { u"snd/game3", 0, 1 },
};

}

TEST_F(SoundManagerTest, GameTableNamesKindsAndGroups)
{
    // Even rows as waves, odd rows as modules; each member has a size of its own.
    std::map<std::string, std::string> members;
    for (int i = 0; i < SoundManager::GAME_SOUND_COUNT; ++i) {
        std::u16string name(GAME_TABLE[i].name);
        members[std::string(name.begin(), name.end()) + (i % 2 ? ".mod" : ".wav")] = std::string(size_t(100 + i), 'x');
    }
    resources.openArchive(members);
    manager->initGameSounds();

    ASSERT_EQ(SoundManager::GAME_SOUND_COUNT, manager->soundCount());
    for (int i = 0; i < SoundManager::GAME_SOUND_COUNT; ++i) {
        SCOPED_TRACE(i);
        PlayerInfoPtr info = manager->infos->get(i);
        EXPECT_EQ(GAME_TABLE[i].kind, info->kind);
        EXPECT_EQ(GAME_TABLE[i].group, info->group);
        ASSERT_TRUE(info->path);
        EXPECT_TRUE(info->path->equals(text(GAME_TABLE[i].name) + (i % 2 ? u".mod" : u".wav")));
        EXPECT_EQ(100 + i, info->size);
        EXPECT_FALSE(manager->isLoaded(i));
    }
    EXPECT_TRUE(manager->onDemand);
    EXPECT_EQ(512000, manager->budget);
    EXPECT_EQ(4, manager->groupLimits->length());
    EXPECT_TRUE(manager->enabled);
    EXPECT_TRUE(manager->ignoreGroupLimits);
}

TEST_F(SoundManagerTest, InitTriesWaveThenModule)
{
    resources.openArchive({ { "t/both.wav", std::string(60, 'w') }, { "t/both.mod", std::string(70, 'm') },
        { "t/tune.mod", std::string(80, 'm') }, { "t/other.ogg", std::string(90, 'o') } });
    initTable({ { u"both", 0, 0 }, { u"tune", 0, 0 }, { u"other", 0, 0 }, { u"absent", 0, 0 } });

    struct Expect {
        const char16_t* path;
        int32_t size;
    };
    const Expect expected[] = { { u"t/both.wav", 60 }, { u"t/tune.mod", 80 }, { nullptr, 0 }, { nullptr, 0 } };
    for (int32_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        PlayerInfoPtr info = manager->infos->get(i);
        if (expected[i].path)
            EXPECT_TRUE(info->path && info->path->equals(expected[i].path));
        else
            EXPECT_FALSE(info->path);
        EXPECT_EQ(expected[i].size, info->size);
    }
    // A sound without a file is silently never played.
    EXPECT_FALSE(manager->play(3, 0));
    EXPECT_FALSE(manager->isLoaded(3));
}

TEST_F(SoundManagerTest, InitRefusesListsThatDoNotMatch)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(100) } });
    initTable({ { u"a", 1, 3 } });
    auto names = [](int32_t n) { return DStringArrayPtr(new DStringArray(n)); };
    auto ints = [](int32_t n) { return DintArrayPtr(new DintArray(n)); };
    struct Case {
        const char* what;
        std::function<void()> init;
        uint32_t kind;
    };
    const Case cases[] = {
        { "fewer kinds", [&] { manager->init(names(2), ints(1), ints(2), 4, true); }, IllegalArgumentException },
        { "fewer groups", [&] { manager->init(names(2), ints(2), ints(1), 4, true); }, IllegalArgumentException },
        { "no names", [&] { manager->init(nullptr, ints(1), ints(1), 4, true); }, NullPointerException },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.kind, thrownKind(c.init)) << c.what;
        // The table in use survives a refused init.
        EXPECT_EQ(1, manager->soundCount()) << c.what;
    }
}

TEST_F(SoundManagerTest, LoadingAtInitOrOnDemand)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(400) }, { "t/b.mod", tune() }, { "t/bad.wav", "RIFF junk" } });
    const std::vector<Row> rows = { { u"a", 1, 3 }, { u"b", 0, 0 }, { u"bad", 1, 3 }, { u"none", 1, 3 } };

    initTable(rows, false);
    EXPECT_EQ((std::vector<bool>{ true, true, false, false }), loaded());
    EXPECT_EQ(DPlayer::PREFETCHED, manager->players->get(0)->getState());

    initTable(rows, true);
    EXPECT_EQ((std::vector<bool>{ false, false, false, false }), loaded());
    EXPECT_TRUE(manager->play(1, true, 0));
    EXPECT_EQ((std::vector<bool>{ false, true, false, false }), loaded());
    // Damaged data is not played and takes nothing from the budget.
    EXPECT_FALSE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{ false, true, false, false }), loaded());
    EXPECT_EQ(int64_t(tune().size()), manager->loadedSize());
}

TEST_F(SoundManagerTest, VolumesAreClampedAndBecomeMasterLevels)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(100) } });
    struct Case {
        int32_t set;
        int32_t stored;
    };
    const Case cases[] = { { 100, 64 }, { -5, 0 }, { 30, 30 }, { 64, 64 }, { 0, 0 }, { 65, 64 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        manager->setSoundVolume(c.set);
        manager->setMusicVolume(c.stored == 7 ? 8 : 7);
        EXPECT_EQ(c.stored, manager->soundVolume);
        EXPECT_EQ(c.stored, manager->getSoundVolume());
        EXPECT_EQ(c.stored, DManager::speaker()->masterSoundLevel());
        manager->setMusicVolume(c.set);
        manager->setSoundVolume(c.stored == 7 ? 8 : 7);
        EXPECT_EQ(c.stored, manager->musicVolume);
        EXPECT_EQ(c.stored, manager->getMusicVolume());
        EXPECT_EQ(c.stored, DManager::speaker()->masterMusicLevel());
    }
}

TEST_F(SoundManagerTest, PlayAnswersTheStartedPlayerWithLoopAndPan)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(2000) } });
    initTable({ { u"a", 1, 3 } });

    DPlayerPtr looped = manager->play(0, true, -20);
    ASSERT_TRUE(looped);
    EXPECT_EQ(1000, manager->infos->get(0)->lastPlayTime);
    EXPECT_EQ(-1, looped->loopCount());
    EXPECT_EQ(-20, looped->getPan());
    EXPECT_TRUE(manager->isPlaying(0));

    // The same sound again overlaps itself on a second player.
    nowMs = 1500;
    DPlayerPtr once = manager->play(0, 10);
    ASSERT_TRUE(once);
    EXPECT_NE(looped.get(), once.get());
    EXPECT_EQ(1, once->loopCount());
    EXPECT_EQ(10, once->getPan());
    EXPECT_EQ(1500, manager->infos->get(0)->lastPlayTime);

    renderToEnd();
    EXPECT_FALSE(once->isPlaying());
    EXPECT_TRUE(manager->isPlaying(0));
    for (int32_t index : { -1, 1, 99 }) {
        EXPECT_FALSE(manager->isPlaying(index)) << index;
        EXPECT_FALSE(manager->play(index, 0)) << index;
    }
}

TEST_F(SoundManagerTest, DisabledSoundPlaysAndLoadsNothing)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(400) } });
    EXPECT_FALSE(manager->play(0, 0));   // no table yet
    initTable({ { u"a", 1, 3 } });
    manager->enabled = false;
    EXPECT_FALSE(manager->play(0, 0));
    EXPECT_FALSE(manager->isLoaded(0));
    manager->enabled = true;
    EXPECT_TRUE(manager->play(0, 0));
}

TEST_F(SoundManagerTest, GroupLimitsBlockOnlyWhenChecked)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(400) }, { "t/far.wav", waveOfSize(400) } });
    initTable({ { u"a", 1, 3 }, { u"far", 1, 9 } });
    manager->ignoreGroupLimits = false;
    EXPECT_FALSE(manager->play(0, 0));
    EXPECT_FALSE(manager->isLoaded(0));
    (*manager->groupLimits)[3] = 1;
    EXPECT_TRUE(manager->play(0, 0));
    // A group beyond the limits has no room.
    EXPECT_FALSE(manager->play(1, 0));
    manager->ignoreGroupLimits = true;
    EXPECT_TRUE(manager->play(1, 0));
}

TEST_F(SoundManagerTest, StopSelectsByGroupKindOrAll)
{
    resources.openArchive({ { "t/fx.wav", waveOfSize(1000) }, { "t/click.wav", waveOfSize(1000) },
        { "t/music.mod", tune() } });
    initTable({ { u"fx", 1, 3 }, { u"click", 0, 2 }, { u"music", 0, 0 } });
    auto playAll = [&] {
        for (int32_t i = 0; i < 3; ++i)
            ASSERT_TRUE(manager->play(i, true, 0)) << i;
    };
    auto playing = [&] {
        return std::vector<bool>{ manager->isPlaying(0), manager->isPlaying(1), manager->isPlaying(2) };
    };
    struct Case {
        int32_t key;
        bool byGroup;
        std::vector<bool> left;
    };
    const Case cases[] = {
        { 3, true, { false, true, true } },
        { 2, true, { true, false, true } },
        { 0, true, { true, true, false } },
        { 1, false, { false, true, true } },
        { 0, false, { true, false, false } },
        { 3, false, { true, true, true } },
        { -1, false, { false, false, false } },
        { -1, true, { false, false, false } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " by group " << c.byGroup);
        playAll();
        manager->stop(c.key, c.byGroup);
        EXPECT_EQ(c.left, playing());
        manager->stop(-1, false);
    }
}

TEST_F(SoundManagerTest, StopSoundStopsItsOverlappingCopiesToo)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(1000) }, { "t/b.wav", waveOfSize(1000) } });
    initTable({ { u"a", 1, 3 }, { u"b", 1, 3 } });
    DPlayerPtr first = manager->play(0, true, 0);
    DPlayerPtr copy = manager->play(0, true, 0);
    DPlayerPtr other = manager->play(1, true, 0);
    manager->stopSound(0);
    EXPECT_FALSE(first->isPlaying());
    EXPECT_FALSE(copy->isPlaying());
    EXPECT_TRUE(other->isPlaying());
    manager->stopSound(7);   // out of range: nothing happens
    EXPECT_TRUE(other->isPlaying());
}

TEST_F(SoundManagerTest, EvictsTheSoundStartedLongestAgo)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(1000) }, { "t/b.wav", waveOfSize(1000) },
        { "t/c.wav", waveOfSize(1000) } });
    initTable({ { u"a", 1, 3 }, { u"b", 1, 3 }, { u"c", 1, 3 } });
    manager->budget = 2000;
    playedAt(1, 100);
    playedAt(0, 200);
    playedAt(2, 300);
    EXPECT_EQ((std::vector<bool>{ true, false, true }), loaded());
    playedAt(1, 400);
    EXPECT_EQ((std::vector<bool>{ false, true, true }), loaded());
    EXPECT_EQ(2000, manager->loadedSize());
}

TEST_F(SoundManagerTest, EqualStartTimesEvictTheLargerFirst)
{
    resources.openArchive({ { "t/small.wav", waveOfSize(600) }, { "t/large.wav", waveOfSize(1000) },
        { "t/mid.wav", waveOfSize(800) }, { "t/new.wav", waveOfSize(900) } });
    initTable({ { u"small", 1, 3 }, { u"large", 1, 3 }, { u"mid", 1, 3 }, { u"new", 1, 3 } });
    manager->budget = 2500;
    playedAt(0, 100);
    playedAt(1, 100);
    playedAt(2, 200);
    // 2400 loaded; 900 more needs 800 freed: the larger of the two oldest is enough.
    playedAt(3, 300);
    EXPECT_EQ((std::vector<bool>{ true, false, true, true }), loaded());
}

TEST_F(SoundManagerTest, EvictsAsManyAsNeededInOrder)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(500) }, { "t/b.wav", waveOfSize(500) },
        { "t/c.wav", waveOfSize(500) }, { "t/big.wav", waveOfSize(1200) } });
    initTable({ { u"a", 1, 3 }, { u"b", 1, 3 }, { u"c", 1, 3 }, { u"big", 1, 3 } });
    manager->budget = 2000;
    playedAt(2, 100);
    playedAt(0, 200);
    playedAt(1, 300);
    playedAt(3, 400);
    EXPECT_EQ((std::vector<bool>{ false, true, false, true }), loaded());
}

TEST_F(SoundManagerTest, PlayingSoundsAreNeverEvicted)
{
    const size_t large = 200000;
    resources.openArchive({ { "t/a.wav", waveOfSize(large) }, { "t/b.wav", waveOfSize(large) },
        { "t/c.wav", waveOfSize(large) }, { "t/huge.wav", waveOfSize(600000) } });
    initTable({ { u"a", 1, 3 }, { u"b", 1, 3 }, { u"c", 1, 3 }, { u"huge", 1, 3 } });
    ASSERT_TRUE(manager->play(0, true, 0));
    nowMs = 2000;
    ASSERT_TRUE(manager->play(1, true, 0));
    EXPECT_FALSE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{ true, true, false, false }), loaded());
    EXPECT_TRUE(manager->isPlaying(0));
    EXPECT_TRUE(manager->isPlaying(1));

    // Stopping one makes room, and only that one goes.
    manager->stopSound(1);
    nowMs = 3000;
    EXPECT_TRUE(manager->play(2, 0));
    EXPECT_EQ((std::vector<bool>{ true, false, true, false }), loaded());
    // Larger than the whole budget: refused even once everything is idle.
    manager->stop(-1, false);
    EXPECT_FALSE(manager->play(3, 0));
    EXPECT_FALSE(manager->isLoaded(3));
}

TEST_F(SoundManagerTest, EvictedStoppedTuneGivesBackItsChannel)
{
    std::string music = tune();
    resources.openArchive({ { "t/music.mod", music }, { "t/fx.wav", waveOfSize(1000) } });
    initTable({ { u"music", 0, 0 }, { u"fx", 1, 3 } });
    manager->budget = int32_t(music.size()) + 500;
    DPlayerPtr player = manager->play(0, true, 0);
    ASSERT_TRUE(player);
    const int32_t channel = player->channelId();
    manager->stopSound(0);
    // A stopped tune holds its channel to resume from.
    EXPECT_FALSE(DManager::speaker()->channel(channel)->isFree());
    player = nullptr;
    nowMs = 2000;
    ASSERT_TRUE(manager->play(1, 0));
    EXPECT_FALSE(manager->isLoaded(0));
    EXPECT_TRUE(DManager::speaker()->channel(channel)->isFree());
}

TEST_F(SoundManagerTest, ReleaseStopsClosesAndEmptiesTheTable)
{
    resources.openArchive({ { "t/a.wav", waveOfSize(1000) }, { "t/music.mod", tune() } });
    initTable({ { u"a", 1, 3 }, { u"music", 0, 0 } });
    DPlayerPtr effect = manager->play(0, true, 0);
    DPlayerPtr music = manager->play(1, true, 0);
    ASSERT_TRUE(effect && music);
    hssChannel* effectChannel = DManager::speaker()->channel(effect->channelId());
    hssChannel* musicChannel = DManager::speaker()->channel(music->channelId());
    manager->release();
    EXPECT_EQ(DPlayer::CLOSED, effect->getState());
    EXPECT_EQ(DPlayer::CLOSED, music->getState());
    EXPECT_TRUE(effectChannel->isFree());
    EXPECT_TRUE(musicChannel->isFree());
    EXPECT_EQ(0, manager->soundCount());
    EXPECT_FALSE(manager->play(0, 0));
    EXPECT_FALSE(manager->isPlaying(0));
    manager->stop(-1, false);
    manager->stopSound(0);
}

TEST_F(SoundManagerTest, WithoutAnOutputNothingPlaysAndNothingFails)
{
    DManager::setDriverFactory(soundtest::failingDriver);
    resources.openArchive({ { "t/a.wav", waveOfSize(1000) } });
    initTable({ { u"a", 1, 3 } });
    EXPECT_FALSE(manager->play(0, true, 0));
    EXPECT_FALSE(manager->isPlaying(0));
    manager->setSoundVolume(30);
    manager->setMusicVolume(100);
    EXPECT_EQ(30, manager->getSoundVolume());
    EXPECT_EQ(64, manager->getMusicVolume());
    manager->stop(-1, false);
    manager->stopSound(0);
}
