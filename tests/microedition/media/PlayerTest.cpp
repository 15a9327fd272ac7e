// Players: states, failures, clones, channels given up and taken over, media time, levels.
#include "sound/SoundFixtures.h"

#include "io/DByteArrayInputStream.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayerMod.h"
#include "microedition/media/DPlayerWav.h"
#include "sound/hssChannel.h"
#include "support/Files.h"
#include "support/Thrown.h"

using namespace vela;
using namespace vela::microedition::media;
using namespace soundtest;

namespace {

const char16_t* const WAV = u"audio/x-wav";
const char16_t* const MOD = u"audio/mod";

DPlayerPtr create(const Bytes& bytes, const char16_t* type)
{
    return DManager::createPlayer(io::DInputStreamPtr(new io::DByteArrayInputStream(support::toArray(bytes))),
                                  type ? lang::DStringPtr(new lang::DString(type)) : lang::DStringPtr(nullptr));
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { DManager::setDriverFactory(hssCreateMemoryDriver); }
    void TearDown() override { DManager::release(); }

    DPlayerPtr wave(int frames = 5000) { return create(mono16Wave(std::vector<int16_t>(size_t(frames), 1000)), WAV); }
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

TEST_F(PlayerTest, ContentTypesPickThePlayerAndFailuresRaiseTheirKinds)
{
    DPlayerPtr w = wave();
    ASSERT_NE(nullptr, dynamic_cast<DPlayerWav*>(w.get()));
    EXPECT_EQ(DPlayer::UNREALIZED, w->getState());
    w->prefetch();
    w->realize();
    EXPECT_EQ(DPlayer::PREFETCHED, w->getState()) << "states never go back";
    ASSERT_NE(nullptr, dynamic_cast<DPlayerMod*>(module().get()));
    EXPECT_FALSE(create(Bytes(4, 0), u"audio/mpeg"));
    DPlayerPtr closed = wave();
    closed->close();
    const std::pair<std::function<void()>, uint32_t> cases[] = {
        {[] { DManager::createPlayer(nullptr, lang::DStringPtr(new lang::DString(MOD))); }, lang::IllegalArgumentException},
        {[] { create(Bytes(4, 0), nullptr); }, lang::MediaException},
        {[] { create(Bytes(100, 1), WAV)->realize(); }, lang::MediaException},
        {[] { create(Bytes(2000, 1), MOD)->prefetch(); }, lang::MediaException},
        {[&] { closed->start(); }, lang::IllegalStateException},
        {[&] { w->setLoopCount(0); }, lang::IllegalArgumentException},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].second, support::thrownKind(cases[i].first)) << "case " << i;
}

TEST_F(PlayerTest, AFinishedSoundGivesUpItsChannelAndAStoppedOneResumes)
{
    DPlayerPtr player = wave(500);
    ASSERT_TRUE(player->start());
    const int first = player->getChannelId();
    render(600);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(DPlayer::PREFETCHED, player->getState());
    EXPECT_EQ(-1, player->getChannelId());
    EXPECT_EQ(-1, player->getMediaTime());
    DPlayerPtr other = wave();
    ASSERT_TRUE(other->start());
    EXPECT_EQ(first, other->getChannelId()) << "another sound takes the freed channel";
    ASSERT_EQ(player, player->start());
    EXPECT_NE(first, player->getChannelId());
    render(300);
    other->stop();
    EXPECT_TRUE(channelOf(other)->isPaused());
    ASSERT_EQ(other, other->start());
    EXPECT_EQ(first, other->getChannelId());
    EXPECT_EQ(300, other->getMediaTime());
}

// After stop all, a stopped player's channel may go to another; neither the restart, nor a
// rewind nor a release of the old holder may disturb the new owner.
TEST_F(PlayerTest, ChannelsTakenOverAfterStopAllStayWithTheirNewOwner)
{
    for (int action = 0; action < 3; ++action) {
        DPlayerPtr player = wave();
        player->start();
        player->stop();
        DManager::stopAll();
        DPlayerPtr thief = wave();
        thief->start();
        thief->setLoopCount(-1);
        ASSERT_EQ(player->getChannelId(), thief->getChannelId());
        if (action == 0) {
            ASSERT_EQ(player, player->start());
            EXPECT_NE(thief->getChannelId(), player->getChannelId());
        } else if (action == 1) {
            EXPECT_EQ(0, player->setMediaTime(0));
        } else {
            player->releaseChannel();
        }
        EXPECT_TRUE(thief->isPlaying()) << action;
        EXPECT_TRUE(channelOf(thief)->isLooping()) << action;
        DManager::stopAll();
    }
    DPlayerPtr music = module(); // a channel still owned is freed
    music->start();
    music->stop();
    const int held = music->getChannelId();
    music->releaseChannel();
    EXPECT_TRUE(channel(held)->isFree());
}

TEST_F(PlayerTest, MediaTimeRewindsOnlyToTheStart)
{
    DPlayerPtr sound = wave();
    EXPECT_EQ(-1, sound->setMediaTime(0));
    sound->start();
    render(100);
    EXPECT_EQ(-1, sound->setMediaTime(50));
    EXPECT_EQ(0, sound->setMediaTime(0));
    EXPECT_TRUE(sound->isPlaying());
    DPlayerPtr music = module();
    music->start();
    render(100 + 64 * 5292);
    EXPECT_EQ(64 + 1, music->getMediaTime()) << "order x 64 + the row to come";
    music->stop();
    EXPECT_EQ(0, music->setMediaTime(0));
    EXPECT_EQ(0, music->getChannelId()) << "a stopped module keeps its place";
    music->start();
    EXPECT_EQ(0, music->setMediaTime(-5));
    EXPECT_EQ(-1, music->getChannelId());
    EXPECT_EQ(DPlayer::PREFETCHED, music->getState());
}

TEST_F(PlayerTest, WithoutADeviceEveryStartFailsQuietly)
{
    DManager::release();
    DManager::setDriverFactory(failingDriver);
    DPlayerPtr silent = wave();
    EXPECT_FALSE(silent->start());
    EXPECT_EQ(DPlayer::PREFETCHED, silent->getState());
    EXPECT_FALSE(module()->start());
    DManager::setMasterMusicLevel(20);
    EXPECT_EQ(20, DManager::getMasterMusicLevel());
    DManager::stopAll();
}

} // namespace
