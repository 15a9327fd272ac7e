// Scripts of headless runs: parsing and its errors, and the virtual window playing them in time.
#include "EventText.h"
#include "host/ScriptedWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using host::ScriptCommand;

TEST(Script, ParsesEveryCommandInAnyCaseWithCommentsAndWindowsLineEnds)
{
    std::vector<ScriptCommand> cmds;
    std::string error;
    ASSERT_TRUE(host::parseScript("# start\n\nwait 100\nkey RETURN # confirm\nkeydown 5\nkeyup f12\n"
                                  "TAP 10 20\npress 1 2\ndrag 3 4\r\nrelease 5 6\nshot out dir/a b.png \r\nQuit\n",
                                  cmds, error))
        << error;
    using C = ScriptCommand;
    const struct { C::Type type; int a, b, line; } expected[] = {
        {C::WAIT, 100, 0, 3}, {C::KEY, 13, 0, 4}, {C::KEY_DOWN, 53, 0, 5}, {C::KEY_UP, 123, 0, 6},
        {C::TAP, 10, 20, 7}, {C::PRESS, 1, 2, 8}, {C::DRAG, 3, 4, 9}, {C::RELEASE, 5, 6, 10},
        {C::SHOT, 0, 0, 11}, {C::QUIT, 0, 0, 12}};
    ASSERT_EQ(cmds.size(), std::size(expected));
    for (size_t i = 0; i < cmds.size(); ++i) {
        EXPECT_EQ(std::make_pair(cmds[i].type, cmds[i].line), std::make_pair(expected[i].type, expected[i].line)) << i;
        if (cmds[i].type != C::SHOT && cmds[i].type != C::QUIT) {
            EXPECT_EQ(std::make_pair(cmds[i].a, cmds[i].b), std::make_pair(expected[i].a, expected[i].b)) << i;
        }
    }
    EXPECT_EQ(cmds[8].path, "out dir/a b.png");
    for (auto [name, code] : {std::pair{"BACK", 27}, {"10000", 10000}, {"F13", -1}, {"-5", -1}, {"", -1}})
        EXPECT_EQ(host::scriptKeyCode(name), code) << name;
}

TEST(Script, BadLinesAndMissingFilesAreRejectedWithWhere)
{
    const struct { const char* text; const char* message; } cases[] = {
        {"jump 3", "line 1: unknown command 'jump'"},   {"wait -5", "line 1: wait needs milliseconds"},
        {"wait 99999999999", "line 1: wait needs milliseconds"}, {"\nkey BANANA", "line 2: unknown key 'BANANA'"},
        {"drag a b", "line 1: drag needs X and Y"},     {"shot", "line 1: shot needs a file name"},
        {"wait 5 6", "line 1: unexpected '6'"},         {"button Z", "line 1:"}, {"stick 0 40000", "line 1:"},
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

TEST(ScriptedWindow, ShotsWriteTheScreenAndAFailedShotEndsTheRun)
{
    support::TempDir folder;
    Player player("shot " + (folder / "a.png") + "\nshot /nonexistent/b.png\nkey 5\n", 4, 3);
    EXPECT_EQ(player.run(), std::vector<std::string>{"close "});
    EXPECT_TRUE(std::filesystem::exists(folder / "a.png"));
    EXPECT_NE(player.window->failure().find("line 2"), std::string::npos) << player.window->failure();
}

} // namespace
