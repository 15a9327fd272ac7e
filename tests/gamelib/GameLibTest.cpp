// The application object: start-up, the unsupported screen, the scheduler driving the game,
// pausing and resuming, and the end.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DGraphicsPtr;

namespace {

// Counts what the application asks of the game.
struct FlowLog { int startUps = 0, ticks = 0, pauses = 0, shutdowns = 0, resumedTicks = 0; };
FlowLog flowLog;

class RecordingFlow : public GameFlow {
public:
    void startUp() override { ++flowLog.startUps; }
    void tick() override
    {
        ++flowLog.ticks;
        flowLog.resumedTicks += GameContext::get().scheduler.resumed;
    }
    void paint(const DGraphicsPtr&) override {}
    void pause() override { ++flowLog.pauses; }
    void shutdown() override { ++flowLog.shutdowns; }
};

GameFlowPtr makeRecordingFlow()
{
    return new RecordingFlow();
}

const std::pair<const std::string, std::string> SUPPORTED = {"240x320.dat", "PATH=\r\n"};

class GameLibTest : public AppTest {
protected:
    GameLibTest() : AppTest(1000, 240, 320)
    {
        FakeClock::advancing = true;
        flowLog = FlowLog();
        makeApp(makeRecordingFlow);
    }
    void start(const std::map<std::string, std::string>& members)
    {
        resources.openArchive(members);
        app->startApp();
    }
    // Frozen from here on, so that each pass sees exactly the time the test sets.
    void stopClock()
    {
        FakeClock::advancing = false;
        GameContext::get().scheduler.restart();
    }
    bool inkIn(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (window.device.row(y)[x] == 0x0000)
                    return true;
        return false;
    }
};

}

TEST_F(GameLibTest, AnUnsupportedScreenShowsItsMessageReadablyAndEnds)
{
    start({{"320x240.dat", "PATH=\r\n"}});
    EXPECT_EQ(0, app->running);
    EXPECT_EQ(0, flowLog.startUps);
    EXPECT_TRUE(inkIn(0, 140, 240, 180));
    EXPECT_EQ(0xFFFF, window.device.row(0)[0]) << "black on the black new buffer would not be seen";
}

TEST_F(GameLibTest, PauseInjectsThePauseKeyAndTheGameSeesResumedOnItsFirstTickAfter)
{
    start({SUPPORTED});
    stopClock();
    ScreenCanvas::keyQueue.clear();
    FakeClock::now += 42;
    app->pauseApp();
    EXPECT_EQ(1, flowLog.pauses);
    app->tick();
    EXPECT_EQ(-4, ScreenCanvas::lastKeyCode);
    EXPECT_EQ(std::make_pair(1, 1), std::make_pair(flowLog.ticks, flowLog.resumedTicks));
    FakeClock::now += 42;
    app->tick();
    EXPECT_EQ(1, flowLog.resumedTicks);
    // A resume restarts the tick base, so its first pass runs no tick: the flag waits for one.
    app->pauseApp();
    GameContext::get().canvas->showNotify();
    app->tick();
    EXPECT_EQ(2, flowLog.ticks);
    FakeClock::now += 42;
    app->tick();
    EXPECT_EQ(std::make_pair(3, 2), std::make_pair(flowLog.ticks, flowLog.resumedTicks));
}

TEST_F(GameLibTest, ASizeBecomingUnsupportedOffersTheExitAndTheEndReleasesEverything)
{
    start({SUPPORTED});
    GameContext::get().canvas->sizeChanged(200, 200);
    app->tick();
    EXPECT_EQ(0, flowLog.ticks);
    EXPECT_TRUE(inkIn(0, 180, 40, 200)) << "\"Exit\" on the last row of the new size";
    GameContext::get().canvas->keyPressed(10000);
    app->tick();
    EXPECT_EQ(0, app->running);
    EXPECT_EQ(1, flowLog.shutdowns);
    app->destroyApp(true);
    EXPECT_FALSE(vela::io::isArchiveOpen());
}
