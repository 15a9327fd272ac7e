// Shared test helpers of the game library tests.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "host/PngWriter.h"
#include "io/DArchive.h"
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace gamelib;

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
    char path[] = "/tmp/gamelib-picture-XXXXXX";
    int fd = ::mkstemp(path);
    ::close(fd);
    std::string error;
    EXPECT_TRUE(host::writePng(picture, path, error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    std::remove(path);
    return data.str();
}

namespace fs = std::filesystem;

TestResources::TestResources()
{
    char pattern[] = "/tmp/gamelib-test-XXXXXX";
    root = ::mkdtemp(pattern);
    vela::lang::host::setProgramFile(root + "/tintrow");
    fs::create_directories(root + "/home");
    ::setenv("TINTROW_HOME", (root + "/home").c_str(), 1);
    vela::io::setAppNameSource([] { return std::string("Tintrow"); });
}

TestResources::~TestResources()
{
    vela::io::closeArchive();
    Resources::setSearchPath(vela::lang::DStringPtr(new vela::lang::DString()));
    vela::lang::host::setProgramFile("");
    vela::io::setAppNameSource(nullptr);
    fs::remove_all(root);
}

void TestResources::writeFile(const std::string& name, const std::string& bytes)
{
    fs::path path = fs::path(root) / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string TestResources::readFile(const std::string& name) const
{
    std::ifstream in(fs::path(root) / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void TestResources::openArchive(const std::map<std::string, std::string>& members)
{
    std::string staging = root + "/staging";
    fs::create_directories(staging);
    for (const auto& member : members) {
        fs::path path = fs::path(staging) / member.first;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << member.second;
    }
    std::string command = "cd '" + staging + "' && 7zz a -bd -bso0 -bsp0 ../game.dat . >/dev/null";
    ASSERT_EQ(0, std::system(command.c_str()));
    fs::remove_all(staging);
    vela::io::openArchive(vela::lang::DStringPtr(new vela::lang::DString(u"game.dat")));
}
