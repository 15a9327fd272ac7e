// The real window on a private X server: scaled presentation, letterboxing and input mapping.
#include "host/PictureDecoder.h"
#include "host/Window.h"
#include "host/EventText.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>

extern char** environ;

namespace {

const char* const TITLE = "Tintrow window test";

// The first line a command prints, without its line end.
std::string firstLine(const std::vector<std::string>& command)
{
    std::string out = support::run(command).out;
    return out.substr(0, out.find('\n'));
}

// xdotool with the arguments, split at spaces.
void xdotool(const std::string& arguments)
{
    std::vector<std::string> argv = {"xdotool"};
    for (size_t start = 0, end; start < arguments.size(); start = end + 1) {
        end = std::min(arguments.find(' ', start), arguments.size());
        argv.push_back(arguments.substr(start, end - start));
    }
    support::RunResult r = support::run(argv);
    EXPECT_EQ(r.status, 0) << arguments << ": " << r.err;
}

class RealWindow : public ::testing::Test {
protected:
    // A private X server for the suite, so the test needs no display of its own.
    static void SetUpTestSuite()
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp", nullptr};
        ASSERT_EQ(posix_spawnp(&server, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        close(fds[1]);
        char number[16] = {};
        ssize_t n = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        ASSERT_GT(n, 0) << "Xvfb did not start";
        std::string display = ":" + std::string(number, size_t(n));
        display.erase(display.find_last_not_of('\n') + 1);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
    }
    static void TearDownTestSuite()
    {
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
    }

    void SetUp() override
    {
        host::WindowOptions options;
        options.title = TITLE;
        options.width = 40, options.height = 30, options.scale = 3;
        std::string error;
        window = host::openSdlWindow(options, error);
        ASSERT_TRUE(window) << error;
        for (int tries = 0; tries < 50 && id.empty(); ++tries) { // the window may take a moment to map
            drain(100);
            id = firstLine({"xdotool", "search", "--name", std::string("^") + TITLE + "$"});
        }
        ASSERT_FALSE(id.empty());
        drain(200);
    }

    // Every event that arrives within the time, as text.
    std::string drain(int ms)
    {
        std::string seen;
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        host::HostEvent e;
        while (std::chrono::steady_clock::now() < end)
            while (window->nextEvent(e, 10))
                seen += describe(e);
        return seen;
    }

    // The pixels of the whole X screen, read back by an independent client.
    host::Surface grab()
    {
        support::TempDir folder;
        std::string path = folder / "screen.png";
        support::RunResult r = support::run({"/usr/bin/python3", "-c",
            "import sys; from PIL import ImageGrab; ImageGrab.grab(xdisplay=sys.argv[1]).save(sys.argv[2])",
            getenv("DISPLAY"), path});
        EXPECT_EQ(r.status, 0) << r.err;
        host::Surface s;
        std::string error;
        EXPECT_TRUE(host::loadPictureFile(path, s, error)) << error;
        return s;
    }

    static pid_t server;
    std::unique_ptr<host::Window> window;
    std::string id;
};

pid_t RealWindow::server = 0;

// Left, top, width and height of the pixels of one colour.
std::array<int, 4> boxOf(const host::Surface& s, uint16_t colour)
{
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.row(y)[x] == colour) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return {left, top, right - left + 1, bottom - top + 1};
}

TEST_F(RealWindow, ShowsTheScreenScaledByWholePixels)
{
    host::Surface& screen = window->screen();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            screen.row(y)[x] = x < 20 ? 0xF800 : 0x001F;
    screen.row(0)[39] = 0x07E0; // one green device pixel in the top right corner
    window->present();
    drain(300);
    host::Surface shot = grab();
    auto red = boxOf(shot, 0xF800);
    EXPECT_EQ(std::make_pair(red[2], red[3]), std::make_pair(60, 90));
    EXPECT_EQ(boxOf(shot, 0x001F), (std::array<int, 4>{red[0] + 60, red[1], 60, 90}));
    EXPECT_EQ(boxOf(shot, 0x07E0), (std::array<int, 4>{red[0] + 117, red[1], 3, 3})) << "one device pixel";
}

TEST_F(RealWindow, CannotBeMadeSmallerThanTheDeviceScreen)
{
    std::string hints = support::run({"xprop", "-id", id, "WM_NORMAL_HINTS"}).out;
    EXPECT_NE(hints.find("minimum size: 40 by 30"), std::string::npos) << hints;
}

TEST_F(RealWindow, KeysAndStylusArriveAsDeviceEvents)
{
    drain(200); // the window may report its first focus
    xdotool("mousemove --window " + id + " 31 46 click 1");
    xdotool("key a F1 Return");
    std::string seen = drain(500);
    EXPECT_EQ(seen, "press10,15 release10,15 down65 up65 down112 up112 down13 up13 ");
}

TEST_F(RealWindow, LetterboxedPressesOutsideTheScreenAreIgnored)
{
    xdotool("windowsize --sync " + id + " 200 90");
    drain(200);
    xdotool("mousemove --window " + id + " 10 10 click 1");
    xdotool("mousemove --window " + id + " 55 6 mousedown 1 mousemove --window " + id +
        " 61 9 mouseup 1");
    EXPECT_EQ(drain(500), "press5,2 drag7,3 release7,3 ") << "the screen is centred: 40 pixels of border";
}

// Whether the desktop really fills depends on a window manager, which the private server lacks;
// what must hold everywhere is that window shortcuts and modifiers never reach the game, even
// when Alt is let go before Return.
TEST_F(RealWindow, WindowShortcutsAndModifiersReachNoCanvas)
{
    xdotool("windowfocus --sync " + id);
    drain(200);
    xdotool("key F11 key alt+Return key alt+Return key F11 keydown alt keydown Return keyup alt keyup Return");
    xdotool("key alt+Tab key shift+a key Caps_Lock key Caps_Lock key ctrl+Num_Lock");
    xdotool("key a");
    EXPECT_EQ(drain(800), "down65 up65 down65 up65 ");
}

TEST_F(RealWindow, LosingTheFocusIsReportedAndEndsAHeldStylus)
{
    std::string root = firstLine({"xdotool", "search", "--maxdepth", "0", "--name", ".*"});
    xdotool("windowfocus --sync " + id);
    drain(200);
    xdotool("mousemove --window " + id + " 31 46 mousedown 1 mousemove --window " + id + " 34 46");
    xdotool("windowfocus " + root);
    EXPECT_EQ(drain(400), "press10,15 drag11,15 release11,15 inactive ");
    xdotool("mouseup 1");
    EXPECT_EQ(drain(300), "") << "no release without a press";
    xdotool("windowfocus --sync " + id);
    EXPECT_EQ(drain(300), "active ");
}

} // namespace
