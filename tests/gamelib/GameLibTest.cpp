// The application object: start-up paths, the scheduler driving the game, pausing and ending.
#include "GameLibTestSupport.h"
#include "TestResources.h"

#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "gamelib/TitleScreen.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

using namespace vela::lang;
using vela::microedition::lcdui::DCanvas;
using vela::microedition::lcdui::DDisplay;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::midlet::DMIDlet;

namespace {

// The clock of these tests: frozen, or moving 1 ms per read like a scripted run's wait loops.
uint64_t now = 0;
bool advancing = true;
uint64_t testTicks()
{
    return advancing ? now++ : now;
}

// Counts what the application asks of the game.
struct FlowLog {
    int startUps = 0, ticks = 0, paints = 0, pauses = 0, shutdowns = 0;
    int resumedTicks = 0;
};
FlowLog flowLog;

class RecordingFlow : public GameFlow {
public:
    void startUp() override { ++flowLog.startUps; }
    void tick() override
    {
        ++flowLog.ticks;
        flowLog.resumedTicks += GameContext::get().scheduler.resumed;
    }
    void paint(const DGraphicsPtr&) override { ++flowLog.paints; }
    void pause() override { ++flowLog.pauses; }
    void shutdown() override { ++flowLog.shutdowns; }
};

GameFlowPtr makeRecordingFlow()
{
    return new RecordingFlow();
}

class GameLibTest : public ::testing::Test {
protected:
    GameLibTest() : window(240, 320)
    {
        now = 1000;
        advancing = true;
        flowLog = FlowLog();
        vela::lang::host::setTickSource(testTicks);
        GameContext::reset();
        app = new GameLib(makeRecordingFlow);
        DMIDlet::setCurrent(app);
        display = new DDisplay(&window);
    }
    ~GameLibTest() override
    {
        app->destroyApp(true);
        display->setCurrent(nullptr);
        DMIDlet::setCurrent(nullptr);
        vela::lang::host::setTickSource(nullptr);
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

    TestResources resources;
    FakeWindow window;
    vela::lang::DPtr<GameLib> app;
    vela::microedition::lcdui::DDisplayPtr display;
};

}

TEST_F(GameLibTest, AppNameIsTheOnlyProperty)
{
    EXPECT_EQ("Tintrow", app->getAppProperty(new DString(u"app.name"))->toUtf8());
    EXPECT_FALSE(app->getAppProperty(new DString(u"start_fullscreen")));
    EXPECT_FALSE(app->getAppProperty(nullptr));
}

TEST_F(GameLibTest, StartUpShowsTheLogoForTwoSecondsThenStartsTheGame)
{
    start({{"240x320.dat", "PATH=img;res/\r\n"}, {"img/vandrel.png", pngBytes(filled(10, 10, 0x07E0))}});
    EXPECT_EQ(1, app->running);
    EXPECT_EQ(1, flowLog.startUps);
    EXPECT_GE(now, 1000u + GameLib::SPLASH_MILLIS);
    EXPECT_EQ(0x07E0, screenAt(120, 160));
    EXPECT_EQ(0xFFFF, screenAt(239, 319));
    EXPECT_TRUE(screenHasInk(0, 0, 20, 12)); // the version text
    DStringArrayPtr path = Resources::searchPath();
    ASSERT_EQ(2, path->length());
    EXPECT_EQ("img/", path->get(0)->toUtf8());
    EXPECT_TRUE(GameContext::get().random);
    EXPECT_FALSE(GameContext::get().scheduler.resumed);
}

TEST_F(GameLibTest, UnsupportedScreenShowsTheMessageAndEnds)
{
    start({{"320x240.dat", "PATH=\r\n"}});
    EXPECT_EQ(0, app->running);
    EXPECT_EQ(0, flowLog.startUps);
    EXPECT_GE(now, 1000u + GameLib::SPLASH_MILLIS);
    EXPECT_TRUE(screenHasInk(0, 140, 240, 180));
    EXPECT_EQ(0xFFFF, screenAt(0, 0)); // black on the black new buffer would not be seen
}

TEST_F(GameLibTest, SchedulerTicksTheGameEveryPeriod)
{
    start({{"240x320.dat", "PATH=\r\n"}});
    advancing = false;
    GameContext::get().scheduler.restart();
    const uint64_t base = now;
    for (int i = 1; i <= 100; ++i) {
        now = base + i;
        app->tick();
    }
    EXPECT_EQ(2, flowLog.ticks);
    EXPECT_EQ(2, flowLog.paints);
}

TEST_F(GameLibTest, TickTakesOneQueuedKeyBeforeTheGameTicks)
{
    start({{"240x320.dat", "PATH=\r\n"}});
    advancing = false;
    GameContext::get().scheduler.restart();
    GameContext::get().canvas->keyPressed(50);
    GameContext::get().canvas->keyPressed(56);
    now += 42;
    app->tick();
    EXPECT_TRUE(ScreenCanvas::actions[DCanvas::UP]);
    EXPECT_FALSE(ScreenCanvas::actions[DCanvas::DOWN]);
    EXPECT_FALSE(ScreenCanvas::keyQueue.isEmpty());
}

TEST_F(GameLibTest, PauseInjectsThePauseKeyAndSelectsTheDefaultKeys)
{
    start({{"240x320.dat", "PATH=\r\n"}});
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
    start({{"240x320.dat", "PATH=\r\n"}});
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
    start({{"240x320.dat", "PATH=\r\n"}});
    app->destroyApp(true);
    EXPECT_EQ(1, flowLog.shutdowns);
    EXPECT_FALSE(vela::io::isArchiveOpen());
}

TEST_F(GameLibTest, TitleScreenWaitsForAPlayersKeyNotForPausing)
{
    app = new GameLib(TitleScreen::create);
    DMIDlet::setCurrent(app);
    display = new DDisplay(&window);
    start({{"240x320.dat", "PATH=img\r\n"}, {"img/back.png", pngBytes(filled(240, 320, 0x001F))},
        {"img/logo.png", pngBytes(filled(20, 10, 0x07E0))}});
    EXPECT_EQ(0x001F, screenAt(0, 0));
    EXPECT_EQ(0x07E0, screenAt(120, 280 - 1));
    EXPECT_EQ(0x001F, screenAt(120, 280));
    advancing = false;
    GameContext::get().scheduler.restart();
    app->pauseApp();
    for (int i = 0; i < 3; ++i) {
        now += 42;
        app->tick();
    }
    EXPECT_EQ(1, app->running);
    GameContext::get().canvas->keyPressed(65);
    now += 42;
    app->tick();
    EXPECT_EQ(0, app->running);
}

TEST_F(GameLibTest, TitleScreenDrawsTheLogoWithoutABackground)
{
    app = new GameLib(TitleScreen::create);
    DMIDlet::setCurrent(app);
    display = new DDisplay(&window);
    start({{"240x320.dat", "PATH=img\r\n"}, {"img/logo.png", pngBytes(filled(20, 10, 0x07E0))}});
    EXPECT_EQ(0x07E0, screenAt(120, 280 - 1));
}

TEST_F(GameLibTest, TheGameSeesResumedOnlyOnATickInThePassAfterAPause)
{
    start({{"240x320.dat", "PATH=\r\n"}});
    advancing = false;
    now += 42;
    app->pauseApp();
    app->tick();
    EXPECT_EQ(1, flowLog.ticks);
    EXPECT_EQ(1, flowLog.resumedTicks);
    now += 42;
    app->tick();
    EXPECT_EQ(1, flowLog.resumedTicks);
    // A resume that restarts the tick base first runs no tick, so nothing sees the flag.
    app->pauseApp();
    GameContext::get().canvas->showNotify();
    app->tick();
    now += 42;
    app->tick();
    EXPECT_EQ(3, flowLog.ticks);
    EXPECT_EQ(1, flowLog.resumedTicks);
}
