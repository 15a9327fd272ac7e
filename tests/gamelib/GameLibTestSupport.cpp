// What the game library tests share.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "host/PngWriter.h"
#include "io/DArchive.h"
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/midlet/DMIDlet.h"
#include "support/Files.h"
#include "support/Process.h"

#include <filesystem>

using namespace gamelib;
using vela::microedition::midlet::DMIDlet;

FakeClock::FakeClock(uint64_t start)
{
    now = start;
    advancing = false;
    vela::lang::host::setTickSource(read);
}

FakeClock::~FakeClock()
{
    vela::lang::host::setTickSource(nullptr);
}

CanvasTest::CanvasTest(int width, int height) : window(width, height)
{
    GameContext::reset();
    display = new vela::microedition::lcdui::DDisplay(&window);
    canvas = new ScreenCanvas();
    display->setCurrent(canvas);
    ScreenCanvas::resetInput();
    ScreenCanvas::resetActionFlags();
    ScreenCanvas::keyEventSeen = false;
    ScreenCanvas::hiddenSequence.reset();
}

CanvasTest::~CanvasTest()
{
    display->setCurrent(nullptr);
    GameContext::reset();
}

std::string pngBytes(const host::Surface& picture)
{
    support::TempDir folder;
    std::string error;
    EXPECT_TRUE(host::writePng(picture, folder / "p.png", error)) << error;
    return support::readText(folder / "p.png");
}

TestResources::TestResources()
{
    vela::lang::host::setProgramFile(root / "tintrow");
    vela::io::setAppNameSource([] { return std::string("Tintrow"); });
}

TestResources::~TestResources()
{
    vela::io::closeArchive();
    Resources::setSearchPath(vela::lang::DStringPtr(new vela::lang::DString()));
    vela::lang::host::setProgramFile("");
    vela::io::setAppNameSource(nullptr);
}

void TestResources::openArchive(const std::map<std::string, std::string>& members)
{
    std::filesystem::remove(root / "game.dat");
    support::pack7z(root / "game.dat", members);
    vela::io::openArchive(vela::lang::DStringPtr(new vela::lang::DString(u"game.dat")));
}

void AppTest::makeApp(GameFlowFactory flow)
{
    GameContext::reset();
    app = new GameLib(flow);
    DMIDlet::setCurrent(app);
    display = new vela::microedition::lcdui::DDisplay(&window);
}

void AppTest::stop()
{
    if (!app)
        return;
    app->destroyApp(true);
    display->setCurrent(nullptr);
    DMIDlet::setCurrent(nullptr);
    GameContext::reset();
    app = nullptr;
    display = nullptr;
}
