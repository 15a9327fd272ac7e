// Player states, starting with clones, stopping and resuming, media time, levels and pan.
#include "sound/SoundFixtures.h"

#include "io/DByteArrayInputStream.h"
#include "lang/DExceptionBase.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayerMod.h"
#include "microedition/media/DPlayerWav.h"
#include "sound/hssChannel.h"

#include <functional>

using namespace vela;
using namespace vela::microedition::media;
using namespace soundtest;

namespace {

const char16_t* const WAV = u"audio/x-wav";
const char16_t* const MOD = u"audio/mod";

DPlayerPtr create(const Bytes& bytes, const char16_t* type)
{
    lang::DbyteArrayPtr array(new lang::DbyteArray(static_cast<int32_t>(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(array->data()));
    return DManager::createPlayer(io::DInputStreamPtr(new io::DByteArrayInputStream(array)),
                                  type ? lang::DStringPtr(new lang::DString(type)) : lang::DStringPtr(nullptr));
}

// The code of the exception the body raises, 0 when it raises none.
uint32_t thrown(const std::function<void()>& body)
{
    try {
        body();
    } catch (lang::DExceptionBase* e) {
        const uint32_t code = e->code;
        delete e;
        return code;
    }
    return 0;
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { DManager::setDriverFactory(hssCreateMemoryDriver); }
    void TearDown() override { DManager::release(); }

    DPlayerPtr wave(int frames = 1000) { return create(mono16Wave(std::vector<int16_t>(size_t(frames), 1000)), WAV); }
    DPlayerPtr module()
    {
        ModuleBuilder builder;
        builder.setOrders({0, 0});
        builder.setSample(1, std::vector<int8_t>(4000, 50), 64, 0, 0, 2000);
        builder.setCell(0, 0, 0, {1, 428, 0, 0});
        return create(builder.build(), MOD);
    }
    void render(int frames)
    {
        Bytes out(static_cast<size_t>(frames) * 4);
        static_cast<hssMemoryDriver*>(DManager::speaker()->driver())->render(out.data(), static_cast<int>(out.size()));
    }
    hssChannel* channel(int id) { return DManager::speaker()->channel(id); }
    hssChannel* channelOf(const DPlayerPtr& player) { return channel(player->getChannelId()); }
};

}

TEST_F(PlayerTest, CreatePlayerByContentTypeAndMoveThroughTheStates)
{
    DPlayerPtr w = wave();
    ASSERT_NE(nullptr, dynamic_cast<DPlayerWav*>(w.get()));
    EXPECT_EQ(DPlayer::UNREALIZED, w->getState());
    EXPECT_EQ(-1, w->getChannelId());
    EXPECT_EQ(1, w->getLoopCount());
    EXPECT_TRUE(w->getContentType()->equals(WAV));
    DPlayerPtr m = module();
    ASSERT_NE(nullptr, dynamic_cast<DPlayerMod*>(m.get()));
    EXPECT_TRUE(m->getContentType()->equals(MOD));
    EXPECT_FALSE(create(Bytes(4, 0), u"audio/mpeg"));

    w->realize();
    EXPECT_EQ(DPlayer::REALIZED, w->getState());
    w->prefetch();
    w->realize();
    EXPECT_EQ(DPlayer::PREFETCHED, w->getState());
    m->prefetch();
    EXPECT_EQ(DPlayer::PREFETCHED, m->getState());
    EXPECT_EQ(-1, w->getDuration());
    EXPECT_EQ(-1, m->getDuration());
    w->close();
    EXPECT_EQ(DPlayer::CLOSED, w->getState());
}

TEST_F(PlayerTest, FailuresRaiseTheirExceptions)
{
    DPlayerPtr closed = wave();
    closed->close();
    DPlayerPtr player = wave();
    const std::pair<std::function<void()>, uint32_t> cases[] = {
        {[] { DManager::createPlayer(nullptr, lang::DStringPtr(new lang::DString(MOD))); }, lang::IllegalArgumentException},
        {[] { create(Bytes(4, 0), nullptr); }, lang::MediaException},
        {[] { create(Bytes(100, 1), WAV)->realize(); }, lang::MediaException},
        {[] { create(Bytes(2000, 1), MOD)->prefetch(); }, lang::MediaException},
        {[&] { closed->realize(); }, lang::IllegalStateException},
        {[&] { closed->prefetch(); }, lang::IllegalStateException},
        {[&] { closed->start(); }, lang::IllegalStateException},
        {[&] { player->setLoopCount(3); }, lang::IllegalArgumentException},
        {[&] { player->setLoopCount(0); }, lang::IllegalArgumentException},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].second, thrown(cases[i].first)) << "case " << i;
}

TEST_F(PlayerTest, LoopCountActsAtOnceAndPassesToClones)
{
    DPlayerPtr first = wave();
    ASSERT_EQ(first, first->start());
    EXPECT_FALSE(channelOf(first)->isLooping());
    first->setLoopCount(-1);
    EXPECT_TRUE(channelOf(first)->isLooping());
    DPlayerPtr second = first->start();   // a busy player starts a clone on the same source
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->getSource(), second->getSource());
    EXPECT_EQ(-1, second->getLoopCount());
    EXPECT_NE(first->getChannelId(), second->getChannelId());
    EXPECT_EQ(DPlayer::STARTED, second->getState());
    render(3000);
    EXPECT_TRUE(first->isPlaying());
    first->setLoopCount(1);
    render(3000);
    EXPECT_FALSE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
}

TEST_F(PlayerTest, FinishedSoundReleasesItsChannelAndRestartsFromTheBeginning)
{
    DPlayerPtr player = wave(500);
    ASSERT_TRUE(player->start());
    const int first = player->getChannelId();
    render(200);
    EXPECT_EQ(200, player->getMediaTime());
    render(400);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    EXPECT_EQ(-1, player->getChannelId());
    EXPECT_EQ(-1, player->getMediaTime());
    DPlayerPtr other = wave();   // another sound takes the freed channel; the restart gets a fresh one
    ASSERT_TRUE(other->start());
    EXPECT_EQ(first, other->getChannelId());
    ASSERT_EQ(player, player->start());
    EXPECT_NE(first, player->getChannelId());
    EXPECT_EQ(0, player->getMediaTime());
}

TEST_F(PlayerTest, StopThenStartResumes)
{
    DPlayerPtr player = wave(5000);
    player->start();
    render(300);
    player->stop();
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    EXPECT_TRUE(channelOf(player)->isPaused());
    EXPECT_FALSE(player->isPlaying());
    render(300);
    const int held = player->getChannelId();
    ASSERT_EQ(player, player->start());
    EXPECT_EQ(held, player->getChannelId());
    EXPECT_EQ(300, player->getMediaTime());
}

// After stop all, a stopped player's channel may go to another; neither the restart, nor a
// rewind nor a release of the old holder may disturb the new owner.
TEST_F(PlayerTest, ChannelsTakenOverAfterStopAllStayWithTheirNewOwner)
{
    for (int action = 0; action < 3; ++action) {
        DPlayerPtr player = wave(5000);
        player->start();
        player->stop();
        DManager::stopAll();
        DPlayerPtr thief = wave(5000);
        thief->start();
        thief->setLoopCount(-1);
        ASSERT_EQ(player->getChannelId(), thief->getChannelId());
        if (action == 0) {
            ASSERT_EQ(player, player->start());
            EXPECT_NE(thief->getChannelId(), player->getChannelId());
            EXPECT_TRUE(player->isPlaying());
        } else if (action == 1) {
            EXPECT_EQ(0, player->setMediaTime(0));
            EXPECT_EQ(-1, player->getChannelId());
        } else {
            player->releaseChannel();
        }
        EXPECT_TRUE(thief->isPlaying()) << action;
        EXPECT_TRUE(channelOf(thief)->isLooping()) << action;
        DManager::stopAll();
    }
    DPlayerPtr music = module();   // a channel still owned is freed
    music->start();
    music->stop();
    const int held = music->getChannelId();
    music->releaseChannel();
    EXPECT_EQ(-1, music->getChannelId());
    EXPECT_TRUE(channel(held)->isFree());
}

TEST_F(PlayerTest, MediaTimeRewindRules)
{
    DPlayerPtr sound = wave(5000);
    EXPECT_EQ(-1, sound->setMediaTime(0));
    sound->start();
    render(100);
    EXPECT_EQ(-1, sound->setMediaTime(50));
    EXPECT_EQ(100, sound->getMediaTime());
    EXPECT_EQ(0, sound->setMediaTime(0));
    EXPECT_TRUE(sound->isPlaying());
    EXPECT_EQ(0, sound->getMediaTime());
    sound->stop();   // a stopped wave player lets its channel go
    const int held = sound->getChannelId();
    EXPECT_EQ(0, sound->setMediaTime(0));
    EXPECT_EQ(-1, sound->getChannelId());
    EXPECT_TRUE(channel(held)->isFree());

    DPlayerPtr music = module();
    music->start();
    render(100);
    EXPECT_EQ(1, music->getMediaTime());   // order 0, row 1 comes next
    render(64 * 5292);
    EXPECT_EQ(64 + 1, music->getMediaTime());
    EXPECT_EQ(-1, music->setMediaTime(1));
    music->stop();
    EXPECT_EQ(0, music->setMediaTime(0));
    EXPECT_EQ(0, music->getChannelId());   // a stopped module keeps its place
    music->start();
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(0, music->setMediaTime(-5));
    EXPECT_EQ(-1, music->getChannelId());
    EXPECT_EQ(DPlayer::PREFETCHED, music->getState());
    EXPECT_FALSE(music->isPlaying());
    EXPECT_TRUE(channel(0)->isFree());
}

TEST_F(PlayerTest, VolumeAndPan)
{
    DPlayerPtr sound = wave(5000);
    EXPECT_EQ(-1, sound->getVolume());
    EXPECT_EQ(0, sound->getPan());
    sound->start();
    EXPECT_EQ(32, sound->getVolume());   // master level 32 x level 64
    sound->setVolume(32);
    EXPECT_EQ(16, sound->getVolume());
    sound->setVolume(200);
    EXPECT_EQ(32, sound->getVolume());
    struct Case {
        int pan, channelPan, reported;
    };
    for (const Case& c : {Case{0, 128, 0}, Case{-128, 0, -128}, Case{-500, 0, -128}, Case{127, 255, 127}, Case{900, 255, 127}, Case{-1, 127, -1}}) {
        sound->setPan(c.pan);
        EXPECT_EQ(c.channelPan, channelOf(sound)->pan()) << c.pan;
        EXPECT_EQ(c.reported, sound->getPan()) << c.pan;
    }
    DPlayerPtr music = module();
    music->start();
    music->setPan(-100);
    EXPECT_EQ(0, music->getPan());
    EXPECT_EQ(128, channelOf(music)->pan());
}

TEST_F(PlayerTest, MediaLevelsStopsAndSharedSources)
{
    EXPECT_EQ(32, DManager::getMasterSoundLevel());
    DManager::setMasterSoundLevel(100);
    DManager::setMasterMusicLevel(-4);
    EXPECT_EQ(64, DManager::getMasterSoundLevel());
    EXPECT_EQ(0, DManager::getMasterMusicLevel());

    DPlayerPtr first = wave(5000);
    first->start();
    DPlayerPtr clone = first->start();
    DPlayerPtr stranger = wave(5000);
    stranger->start();
    DManager::stopPlayersSharingSource(clone);
    for (const DPlayerPtr& p : {first, clone}) {
        EXPECT_FALSE(p->isPlaying());
        EXPECT_EQ(-1, p->getChannelId());
    }
    EXPECT_TRUE(stranger->isPlaying());
    DPlayerPtr music = module();
    music->start();
    DManager::stopAll();
    EXPECT_FALSE(stranger->isPlaying());
    EXPECT_FALSE(music->isPlaying());
}

TEST_F(PlayerTest, FullPoolOrNoDeviceMakeStartReturnNull)
{
    {
        std::vector<DPlayerPtr> playing;
        DPlayerPtr player = wave(5000);
        for (int i = 0; i < 32; ++i)
            playing.push_back(player->start());
        DPlayerPtr late = wave(5000);
        EXPECT_FALSE(late->start());
        EXPECT_EQ(-1000, late->getChannelId());
        EXPECT_FALSE(late->isPlaying());
        playing.back()->stop();
        playing.back()->setMediaTime(0);
        EXPECT_TRUE(late->start());
    }

    DManager::release();   // without a device every start fails quietly
    DManager::setDriverFactory(failingDriver);
    DPlayerPtr silent = wave();
    EXPECT_FALSE(silent->start());
    EXPECT_FALSE(silent->start());
    EXPECT_FALSE(silent->isPlaying());
    EXPECT_EQ(DPlayer::PREFETCHED, silent->getState());
    EXPECT_FALSE(module()->start());
    DManager::setMasterMusicLevel(20);
    EXPECT_EQ(20, DManager::getMasterMusicLevel());
    EXPECT_EQ(nullptr, DManager::speaker());
    DManager::stopAll();
}
