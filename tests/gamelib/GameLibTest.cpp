// The application object: start-up paths, the scheduler driving the game, pausing and ending.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DCanvas;
using vela::microedition::lcdui::DDisplay;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::midlet::DMIDlet;

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

class GameLibTest : public ::testing::Test {
protected:
    GameLibTest() : clock(1000), window(240, 320)
    {
        FakeClock::advancing = true;
        flowLog = FlowLog();
        use(makeRecordingFlow);
    }
    void use(GameFlowPtr (*flow)())
    {
        GameContext::reset();
        app = new GameLib(flow);
        DMIDlet::setCurrent(app);
        display = new DDisplay(&window);
    }
    ~GameLibTest() override
    {
        app->destroyApp(true);
        display->setCurrent(nullptr);
        DMIDlet::setCurrent(nullptr);
        GameContext::reset();
    }
    void start(const std::map<std::string, std::string>& members)
    {
        resources.openArchive(members);
        app->startApp();
    }
    uint16_t screenAt(int x, int y) { return window.screen().row(y)[x]; }
    bool screenHasInk(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (screenAt(x, y) == 0x0000)
                    return true;
        return false;
    }

    // Frozen from here on, so that each pass sees exactly the time the test sets.
    void stopClock()
    {
        FakeClock::advancing = false;
        GameContext::get().scheduler.restart();
    }

    FakeClock clock;
    TestResources resources;
    FakeWindow window;
    vela::lang::DPtr<GameLib> app;
    vela::microedition::lcdui::DDisplayPtr display;
};

}

TEST_F(GameLibTest, StartUpShowsTheLogoForTwoSecondsThenStartsTheGame)
{
    start({{"240x320.dat", "PATH=img;res/\r\n"}, {"img/vandrel.png", filledPng(10, 10, 0x07E0)}});
    EXPECT_EQ(1, app->running);
    EXPECT_EQ(1, flowLog.startUps);
    EXPECT_GE(FakeClock::now, 1000u + GameLib::SPLASH_MILLIS);
    EXPECT_EQ(0x07E0, screenAt(120, 160));
    EXPECT_EQ(0xFFFF, screenAt(239, 319));
    EXPECT_TRUE(screenHasInk(0, 0, 20, 12)); // the version text
    DStringArrayPtr path = Resources::searchPath();
    ASSERT_EQ(2, path->length());
    EXPECT_EQ("img/", path->get(0)->toUtf8());
    EXPECT_TRUE(GameContext::get().random);
    EXPECT_FALSE(GameContext::get().scheduler.resumed);
    EXPECT_EQ("Tintrow", app->getAppProperty(new DString(u"app.name"))->toUtf8());
    EXPECT_FALSE(app->getAppProperty(new DString(u"start_fullscreen")));
    EXPECT_FALSE(app->getAppProperty(nullptr));
}

TEST_F(GameLibTest, UnsupportedScreenShowsTheMessageAndEnds)
{
    start({{"320x240.dat", "PATH=\r\n"}});
    EXPECT_EQ(0, app->running);
    EXPECT_EQ(0, flowLog.startUps);
    EXPECT_GE(FakeClock::now, 1000u + GameLib::SPLASH_MILLIS);
    EXPECT_TRUE(screenHasInk(0, 140, 240, 180));
    EXPECT_EQ(0xFFFF, screenAt(0, 0)); // black on the black new buffer would not be seen
}

TEST_F(GameLibTest, TickTakesOneQueuedKeyBeforeTheGameTicks)
{
    start({SUPPORTED});
    stopClock();
    GameContext::get().canvas->keyPressed(50);
    GameContext::get().canvas->keyPressed(56);
    FakeClock::now += 42;
    app->tick();
    EXPECT_TRUE(ScreenCanvas::actions[DCanvas::UP]);
    EXPECT_FALSE(ScreenCanvas::actions[DCanvas::DOWN]);
    EXPECT_FALSE(ScreenCanvas::keyQueue.isEmpty());
}

TEST_F(GameLibTest, PauseInjectsThePauseKeyAndSelectsTheDefaultKeys)
{
    start({SUPPORTED});
    ScreenCanvas::keyQueue.clear();
    app->pauseApp();
    EXPECT_EQ(1, flowLog.pauses);
    EXPECT_TRUE(GameContext::get().scheduler.resumed);
    GameContext::get().canvas->takeKeyEvent();
    EXPECT_EQ(-4, ScreenCanvas::lastKeyCode);
    EXPECT_TRUE(ScreenCanvas::actions[13]);
    GameContext::get().canvas->takeKeyEvent();
    EXPECT_FALSE(ScreenCanvas::actions[13]);
    EXPECT_TRUE(ScreenCanvas::keyQueue.isEmpty());
}

TEST_F(GameLibTest, SizeBecomingUnsupportedOffersExit)
{
    start({SUPPORTED});
    GameContext::get().canvas->sizeChanged(200, 200);
    app->tick();
    EXPECT_EQ(1, app->running);
    EXPECT_EQ(0, flowLog.ticks);
    EXPECT_TRUE(screenHasInk(0, 180, 40, 200)); // "Exit" on the last row of the new size
    GameContext::get().canvas->keyPressed(10000);
    app->tick();
    EXPECT_EQ(0, app->running);
    EXPECT_EQ(1, flowLog.shutdowns);
}

TEST_F(GameLibTest, DestroyReleasesTheGameAndClosesTheArchive)
{
    start({SUPPORTED});
    app->destroyApp(true);
    EXPECT_EQ(1, flowLog.shutdowns);
    EXPECT_FALSE(vela::io::isArchiveOpen());
}

TEST_F(GameLibTest, TheGameSeesResumedOnTheFirstTickAfterAPause)
{
    start({SUPPORTED});
    FakeClock::advancing = false;
    FakeClock::now += 42;
    app->pauseApp();
    app->tick();
    EXPECT_EQ(1, flowLog.ticks);
    EXPECT_EQ(1, flowLog.resumedTicks);
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
    EXPECT_EQ(3, flowLog.ticks);
    EXPECT_EQ(2, flowLog.resumedTicks);
}
