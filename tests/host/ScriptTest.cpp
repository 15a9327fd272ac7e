// Scripts of headless runs: their errors, and the virtual window playing them in time.
#include "EventText.h"
#include "host/ScriptedWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using host::ScriptCommand;

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
