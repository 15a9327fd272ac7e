// Player states, starting with clones, stopping and resuming, media time, levels and pan.
#include "sound/SoundFixtures.h"

#include "io/DByteArrayInputStream.h"
#include "lang/DExceptionBase.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayerMod.h"
#include "microedition/media/DPlayerWav.h"
#include "sound/hssChannel.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::microedition::media;
using namespace soundtest;

namespace {

io::DInputStreamPtr streamOf(const Bytes& bytes)
{
    lang::DbyteArrayPtr array(new lang::DbyteArray(static_cast<int32_t>(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(array->data()));
    return io::DInputStreamPtr(new io::DByteArrayInputStream(array));
}

Bytes waveFile(int frames)
{
    return makeWave(pcmFormat(1, 44100, 16), pcm16(std::vector<int16_t>(static_cast<size_t>(frames), 1000)));
}

Bytes moduleFile()
{
    ModuleBuilder builder;
    builder.setOrders({0, 0});
    builder.setSample(1, std::vector<int8_t>(4000, 50), 64, 0, 0, 2000);
    builder.setCell(0, 0, 0, {1, 428, 0, 0});
    return builder.build();
}

uint32_t kindThrown(void (*body)(DPlayerPtr&), DPlayerPtr& player)
{
    try {
        body(player);
    } catch (lang::DExceptionBase* e) {
        uint32_t code = e->code;
        delete e;
        return code;
    }
    return 0;
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { DManager::setDriverFactory(hssCreateMemoryDriver); }
    void TearDown() override { DManager::release(); }

    DPlayerPtr wave(int frames = 1000)
    {
        return DManager::createPlayer(streamOf(waveFile(frames)), lang::DStringPtr(new lang::DString(u"audio/x-wav")));
    }
    DPlayerPtr module()
    {
        return DManager::createPlayer(streamOf(moduleFile()), lang::DStringPtr(new lang::DString(u"audio/mod")));
    }
    void render(int frames)
    {
        Bytes out(static_cast<size_t>(frames) * 4);
        static_cast<hssMemoryDriver*>(DManager::speaker()->driver())->render(out.data(), static_cast<int>(out.size()));
    }
    hssChannel* channelOf(const DPlayerPtr& player) { return DManager::speaker()->channel(player->channelId()); }
};

}

TEST_F(PlayerTest, CreatePlayerByContentType)
{
    DPlayerPtr w = wave();
    ASSERT_TRUE(w);
    EXPECT_NE(nullptr, dynamic_cast<DPlayerWav*>(w.get()));
    EXPECT_EQ(DPlayer::UNREALIZED, w->getState());
    EXPECT_EQ(-1, w->channelId());
    EXPECT_EQ(1, w->loopCount());
    EXPECT_TRUE(w->getContentType()->equals(u"audio/x-wav"));
    DPlayerPtr m = module();
    EXPECT_NE(nullptr, dynamic_cast<DPlayerMod*>(m.get()));
    EXPECT_TRUE(m->getContentType()->equals(u"audio/mod"));
    EXPECT_FALSE(DManager::createPlayer(streamOf(waveFile(10)), lang::DStringPtr(new lang::DString(u"audio/mpeg"))));

    DPlayerPtr none;
    EXPECT_EQ(lang::IllegalArgumentException, kindThrown([](DPlayerPtr&) {
        DManager::createPlayer(nullptr, lang::DStringPtr(new lang::DString(u"audio/mod")));
    }, none));
    EXPECT_EQ(lang::MediaException, kindThrown([](DPlayerPtr&) {
        DManager::createPlayer(streamOf(Bytes(4, 0)), nullptr);
    }, none));
}

TEST_F(PlayerTest, StatesMoveForwardAndClosedPlayersRefuse)
{
    DPlayerPtr player = wave();
    player->realize();
    EXPECT_EQ(DPlayer::REALIZED, player->getState());
    player->prefetch();
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    player->realize();
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    DPlayerPtr direct = module();
    direct->prefetch();
    EXPECT_EQ(DPlayer::PREFETCHED, direct->getState());
    EXPECT_EQ(-1, player->getDuration());
    EXPECT_EQ(-1, direct->getDuration());

    player->close();
    EXPECT_EQ(DPlayer::CLOSED, player->getState());
    for (auto body : {+[](DPlayerPtr& p) { p->realize(); }, +[](DPlayerPtr& p) { p->prefetch(); },
                      +[](DPlayerPtr& p) { p->start(); }})
        EXPECT_EQ(lang::IllegalStateException, kindThrown(body, player));
}

TEST_F(PlayerTest, BadDataFailsRealizeWithMediaException)
{
    DPlayerPtr broken = DManager::createPlayer(streamOf(Bytes(100, 1)), lang::DStringPtr(new lang::DString(u"audio/x-wav")));
    EXPECT_EQ(lang::MediaException, kindThrown([](DPlayerPtr& p) { p->realize(); }, broken));
    DPlayerPtr brokenModule = DManager::createPlayer(streamOf(Bytes(2000, 1)), lang::DStringPtr(new lang::DString(u"audio/mod")));
    EXPECT_EQ(lang::MediaException, kindThrown([](DPlayerPtr& p) { p->prefetch(); }, brokenModule));
}

TEST_F(PlayerTest, LoopCountAcceptsOnlyOnceOrForever)
{
    DPlayerPtr player = wave();
    EXPECT_EQ(lang::IllegalArgumentException, kindThrown([](DPlayerPtr& p) { p->setLoopCount(3); }, player));
    EXPECT_EQ(lang::IllegalArgumentException, kindThrown([](DPlayerPtr& p) { p->setLoopCount(0); }, player));
    ASSERT_EQ(player, player->start());
    EXPECT_FALSE(channelOf(player)->isLooping());
    player->setLoopCount(-1);
    EXPECT_EQ(-1, player->loopCount());
    EXPECT_TRUE(channelOf(player)->isLooping());
    render(3000);
    EXPECT_TRUE(player->isPlaying());
    player->setLoopCount(1);
    render(3000);
    EXPECT_FALSE(player->isPlaying());
}

TEST_F(PlayerTest, StartingABusyPlayerStartsAClone)
{
    DPlayerPtr first = wave();
    ASSERT_EQ(first, first->start());
    first->setLoopCount(-1);
    DPlayerPtr second = first->start();
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->source(), second->source());
    EXPECT_EQ(-1, second->loopCount());
    EXPECT_NE(first->channelId(), second->channelId());
    EXPECT_TRUE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
    EXPECT_EQ(DPlayer::STARTED, second->getState());
}

TEST_F(PlayerTest, FinishedSoundReleasesItsChannelAndRestartsFromTheBeginning)
{
    DPlayerPtr player = wave(500);
    ASSERT_TRUE(player->start());
    int first = player->channelId();
    render(200);
    EXPECT_EQ(200, player->getMediaTime());
    render(400);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    EXPECT_EQ(-1, player->channelId());
    EXPECT_EQ(-1, player->getMediaTime());
    // Another sound takes the freed channel; the restart gets a fresh one.
    DPlayerPtr other = wave();
    ASSERT_TRUE(other->start());
    EXPECT_EQ(first, other->channelId());
    ASSERT_EQ(player, player->start());
    EXPECT_NE(first, player->channelId());
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
    int channel = player->channelId();
    ASSERT_EQ(player, player->start());
    EXPECT_EQ(channel, player->channelId());
    EXPECT_EQ(300, player->getMediaTime());
}

TEST_F(PlayerTest, StartAfterStopAllTakesAFreshChannel)
{
    DPlayerPtr player = wave(5000);
    player->start();
    player->stop();
    DManager::stopAll();
    DPlayerPtr thief = wave(5000);
    thief->start();
    EXPECT_EQ(player->channelId(), thief->channelId());
    thief->setLoopCount(-1);
    ASSERT_EQ(player, player->start());
    EXPECT_NE(thief->channelId(), player->channelId());
    EXPECT_TRUE(thief->isPlaying());
    EXPECT_TRUE(player->isPlaying());
    EXPECT_TRUE(channelOf(thief)->isLooping());
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
    // A stopped wave player lets its channel go.
    sound->stop();
    int channel = sound->channelId();
    EXPECT_EQ(0, sound->setMediaTime(0));
    EXPECT_EQ(-1, sound->channelId());
    EXPECT_TRUE(DManager::speaker()->channel(channel)->isFree());

    DPlayerPtr music = module();
    music->start();
    render(100);
    EXPECT_EQ(1, music->getMediaTime());   // order 0, row 1 comes next
    render(64 * 5292);
    EXPECT_EQ(64 + 1, music->getMediaTime());
    EXPECT_EQ(-1, music->setMediaTime(1));
    music->stop();
    EXPECT_EQ(0, music->setMediaTime(0));
    EXPECT_EQ(0, music->channelId());   // a stopped module keeps its place
    music->start();
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(0, music->setMediaTime(-5));
    EXPECT_EQ(-1, music->channelId());
    EXPECT_EQ(DPlayer::PREFETCHED, music->getState());
    EXPECT_FALSE(music->isPlaying());
    EXPECT_TRUE(DManager::speaker()->channel(0)->isFree());
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
    EXPECT_FALSE(first->isPlaying());
    EXPECT_FALSE(clone->isPlaying());
    EXPECT_EQ(-1, first->channelId());
    EXPECT_EQ(-1, clone->channelId());
    EXPECT_TRUE(stranger->isPlaying());

    DPlayerPtr music = module();
    music->start();
    DManager::stopAll();
    EXPECT_FALSE(stranger->isPlaying());
    EXPECT_FALSE(music->isPlaying());
}

TEST_F(PlayerTest, NoDeviceMeansSilenceNotFailure)
{
    DManager::release();
    DManager::setDriverFactory(failingDriver);
    DPlayerPtr player = wave();
    EXPECT_FALSE(player->start());
    EXPECT_FALSE(player->start());
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    EXPECT_FALSE(module()->start());
    DManager::setMasterMusicLevel(20);
    EXPECT_EQ(20, DManager::getMasterMusicLevel());
    EXPECT_EQ(nullptr, DManager::speaker());
    DManager::stopAll();
}

TEST_F(PlayerTest, FullPoolReturnsNullAndKeepsTheFailureCode)
{
    std::vector<DPlayerPtr> playing;
    DPlayerPtr player = wave(5000);
    for (int i = 0; i < 32; ++i)
        playing.push_back(player->start());
    DPlayerPtr late = wave(5000);
    EXPECT_FALSE(late->start());
    EXPECT_EQ(-1000, late->channelId());
    EXPECT_FALSE(late->isPlaying());
    playing.back()->stop();
    playing.back()->setMediaTime(0);
    EXPECT_TRUE(late->start());
}

TEST_F(PlayerTest, ReleasingAChannelFreesOnlyWhatThePlayerStillOwns)
{
    DPlayerPtr music = module();
    music->start();
    music->stop();
    const int held = music->channelId();
    music->releaseChannel();
    EXPECT_EQ(-1, music->channelId());
    EXPECT_TRUE(DManager::speaker()->channel(held)->isFree());

    DPlayerPtr sound = wave(5000);
    sound->start();
    sound->stop();
    DManager::stopAll();
    DPlayerPtr thief = wave(5000);
    thief->start();
    ASSERT_EQ(sound->channelId(), thief->channelId());
    EXPECT_EQ(0, sound->setMediaTime(0));
    EXPECT_EQ(-1, sound->channelId());
    EXPECT_TRUE(thief->isPlaying());
    sound->releaseChannel();
    EXPECT_TRUE(thief->isPlaying());
}
