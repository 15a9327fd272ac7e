// Scripts of headless runs: parsing, key names, and the virtual window playing them in time.
#include "EventText.h"
#include "host/ScriptedWindow.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using host::ScriptCommand;

TEST(Script, KeyNamesAndCodes)
{
    const struct { const char* name; int code; } cases[] = {
        {"LEFT", 37}, {"right", 39}, {"UP", 38}, {"DOWN", 40}, {"RETURN", 13}, {"ESCAPE", 27}, {"BACK", 27},
        {"TAB", 9}, {"SPACE", 32}, {"F1", 112}, {"f12", 123}, {"0", 48}, {"9", 57}, {"A", 65}, {"z", 90},
        {"F", 70}, {"13", 13}, {"10000", 10000}, {"F13", -1}, {"F0", -1}, {"-5", -1}, {"NOPE", -1}, {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(host::scriptKeyCode(c.name), c.code) << c.name;
}

TEST(Script, ParsesEveryCommandWithCommentsAndBlankLines)
{
    std::vector<ScriptCommand> cmds;
    std::string error;
    ASSERT_TRUE(host::parseScript("# start\n\nwait 100\nkey RETURN # confirm\nkeydown 5\nkeyup 5\n"
                                  "TAP 10 20\npress 1 2\ndrag 3 4\r\nrelease 5 6\nshot out dir/a b.png \r\nQuit\n",
                                  cmds, error))
        << error;
    using C = ScriptCommand;
    const struct { C::Type type; int a, b, line; } expected[] = {
        {C::WAIT, 100, 0, 3}, {C::KEY, 13, 0, 4}, {C::KEY_DOWN, 53, 0, 5}, {C::KEY_UP, 53, 0, 6},
        {C::TAP, 10, 20, 7}, {C::PRESS, 1, 2, 8}, {C::DRAG, 3, 4, 9}, {C::RELEASE, 5, 6, 10},
        {C::SHOT, 0, 0, 11}, {C::QUIT, 0, 0, 12}};
    ASSERT_EQ(cmds.size(), std::size(expected));
    for (size_t i = 0; i < cmds.size(); ++i) {
        EXPECT_EQ(cmds[i].type, expected[i].type) << i;
        EXPECT_EQ(cmds[i].line, expected[i].line) << i;
        if (cmds[i].type != C::SHOT && cmds[i].type != C::QUIT) {
            EXPECT_EQ(std::make_pair(cmds[i].a, cmds[i].b), std::make_pair(expected[i].a, expected[i].b)) << i;
        }
    }
    EXPECT_EQ(cmds[8].path, "out dir/a b.png");
}

TEST(Script, BadLinesAndMissingFilesAreRejectedWithWhere)
{
    const struct { const char* text; const char* message; } cases[] = {
        {"jump 3", "line 1: unknown command 'jump'"},       {"wait", "line 1: wait needs milliseconds"},
        {"wait -5", "line 1: wait needs milliseconds"},     {"wait 10x", "line 1: wait needs milliseconds"},
        {"wait 99999999999", "line 1: wait needs milliseconds"}, {"\nkey BANANA", "line 2: unknown key 'BANANA'"},
        {"tap 1", "line 1: tap needs X and Y"},             {"drag a b", "line 1: drag needs X and Y"},
        {"shot", "line 1: shot needs a file name"},         {"quit now", "line 1: unexpected 'now'"},
        {"wait 5 6", "line 1: unexpected '6'"},
    };
    std::vector<ScriptCommand> cmds;
    std::string error;
    for (const auto& c : cases) {
        EXPECT_FALSE(host::parseScript(c.text, cmds, error)) << c.text;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << c.text << " gave " << error;
        EXPECT_TRUE(cmds.empty());
    }
    EXPECT_FALSE(host::loadScript("/nonexistent/script.txt", cmds, error));
    EXPECT_NE(error.find("/nonexistent/script.txt"), std::string::npos);
}

TEST(VirtualClock, PassesAreOnePeriodApartAndReadsMoveOneMillisecond)
{
    host::VirtualClock clock;
    EXPECT_EQ(clock.ticks(), 0u);
    EXPECT_EQ(clock.ticks(), 1u);
    clock.passBegins();
    EXPECT_EQ(clock.ticks(), 42u);
    clock.passBegins();
    EXPECT_EQ(clock.ticks(), 84u);
    for (int i = 0; i < 100; ++i) // a wait loop that only reads the clock
        clock.ticks();
    clock.passBegins();
    EXPECT_EQ(clock.ticks(), 185u) << "time never runs backwards";
}

// Plays a script the way the main loop does: each pass starts the clock, then drains events.
struct Player {
    explicit Player(const std::string& text, int w = 20, int h = 30)
    {
        std::vector<ScriptCommand> cmds;
        std::string error;
        EXPECT_TRUE(host::parseScript(text, cmds, error)) << error;
        window.reset(new host::ScriptedWindow(w, h, cmds, clock));
    }

    // The events of each pass until the window closes, as text.
    std::vector<std::string> run()
    {
        std::vector<std::string> passes;
        for (bool closed = false; !closed && passes.size() < 1000;) {
            clock.passBegins();
            passes.emplace_back();
            for (host::HostEvent e; window->nextEvent(e, 0);) {
                passes.back() += describe(e);
                closed = closed || e.type == host::HostEvent::CLOSE;
            }
        }
        return passes;
    }

    host::VirtualClock clock;
    std::unique_ptr<host::ScriptedWindow> window;
};

TEST(ScriptedWindow, InputBeforeAWaitArrivesInOnePassAndTheWaitRunsItsPasses)
{
    Player player("key 5\ntap 3 4\nwait 84\nkeydown UP\nkeydown UP\nkeyup UP\nwait 1\n");
    EXPECT_EQ(player.run(), (std::vector<std::string>{"down53 up53 press3,4 release3,4 ", "",
                                                      "down38 repeat38 up38 ", "close "}))
        << "the end of the script closes the window";
    for (auto [wait, passes] : {std::pair<int, size_t>{0, 1}, {1, 2}, {42, 2}, {43, 3}, {420, 11}})
        EXPECT_EQ(Player("wait " + std::to_string(wait) + "\n").run().size(), passes) << "wait " << wait;
}

TEST(ScriptedWindow, StylusFollowsTheMouseRules)
{
    Player player("drag 5 5\npress 50 5\nrelease 50 5\npress 1 1\ndrag 2 2\ndrag 99 2\nrelease 99 2\n"
                  "release 1 1\nquit\nkey 5\n");
    EXPECT_EQ(player.run(), std::vector<std::string>{"press1,1 drag2,2 release99,2 close "})
        << "drags need a press, presses off the screen are lost, quit ends the script";
}

TEST(ScriptedWindow, GamepadCommandsGiveKeysAndHeldDirectionsRepeat)
{
    Player player("button A\nbuttondown RIGHT\nwait 630\nbuttonup RIGHT\nstick -20000 0\n"
                  "stick -14000 0\nstick 0 0\nbutton LT\n");
    std::vector<std::string> expected(16);
    expected[0] = "down13 up13 down39 ";
    expected[12] = expected[13] = expected[14] = "repeat39 "; // 500 ms, then every 33 ms
    expected[15] = "repeat39 up39 down37 up37 down324 up324 close ";
    EXPECT_EQ(player.run(), expected) << "the stick lets go only well back from where it pressed";
    std::vector<ScriptCommand> cmds;
    std::string error;
    for (const char* bad : {"button Z", "stick 1", "stick 0 40000", "buttondown"})
        EXPECT_FALSE(host::parseScript(bad, cmds, error)) << bad;
}

TEST(ScriptedWindow, ShotsWriteTheScreenAndAFailedShotEndsTheRun)
{
    TempFolder folder;
    Player player("shot " + folder.file("a.png") + "\nshot /nonexistent/b.png\nkey 5\n", 4, 3);
    player.window->screen().pixels.assign(12, 0xF800);
    EXPECT_EQ(player.run(), std::vector<std::string>{"close "});
    struct stat st;
    EXPECT_EQ(stat(folder.file("a.png").c_str(), &st), 0);
    EXPECT_NE(player.window->failure().find("line 2"), std::string::npos) << player.window->failure();
}

} // namespace
