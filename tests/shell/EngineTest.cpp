// The engine with a test application: event delivery in order, splash, pause and resume,
// ending, and the failures that escape the application.
#include "TestApplication.h"
#include "host/ScriptedWindow.h"
#include "lang/DExceptionBase.h"
#include "microedition/midlet/DMIDlet.h"
#include "shell/CGameEngine.h"
#include "support/FakeWindow.h"

#include <gtest/gtest.h>

using host::HostEvent;

namespace {

struct EngineTest : ::testing::Test {
    void SetUp() override { scenario() = TestScenario(); }

    int runScript(const std::string& text, bool smartphone = false)
    {
        std::vector<host::ScriptCommand> cmds;
        std::string error;
        EXPECT_TRUE(host::parseScript(text, cmds, error)) << error;
        host::VirtualClock clock;
        host::ScriptedWindow window(16, 12, cmds, clock);
        CGameEngine engine(createTestApplication);
        return engine.run(window, clock, smartphone);
    }

    // Runs the script and returns stderr, expecting a failure status.
    std::string runFailing(const std::string& text)
    {
        ::testing::internal::CaptureStderr();
        EXPECT_NE(runScript(text), 0);
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(EngineTest, ScriptedTapsAndKeysReachTheCanvasInOrder)
{
    const struct { bool smartphone, logTicks; const char* script; const char* log; } cases[] = {
        {false, false,
         "wait 84\nkey 5\ntap 3 4\nwait 42\nkey F1\npress 1 1\ndrag 2 3\nrelease 9 9\n"
         "keydown LEFT\nkeydown LEFT\nkeyup LEFT\nkey RETURN\nkey ESCAPE\nkey 124\nwait 42\n",
         "start show P53 R53 pp3,4 pr3,4 P10000 R10000 pp1,1 pd2,3 pr9,9 P37 Rep37 R37 "
         "P10002 R10002 P10001 R10001 destroy "},
        // a tap's press must be seen by a frame before its release
        {false, true, "wait 42\ntap 3 4\nkey 5\npress 1 1\ndrag 2 2\nrelease 2 2\nwait 42\n",
         "start show pp3,4 | pr3,4 | P53 | R53 | pp1,1 | pd2,2 | pr2,2 | | destroy "},
        {true, false, "key F1\nkeydown F9\nkeyup F9\nkey F3\n", "start show P10000 R10000 P10003 R10003 destroy "},
    };
    for (const auto& c : cases) {
        scenario() = TestScenario();
        scenario().logTicks = c.logTicks;
        EXPECT_EQ(runScript(c.script, c.smartphone), 0);
        EXPECT_EQ(scenario().log, c.log);
    }
}

TEST_F(EngineTest, PausedWindowRunsNoFramesAndResumeShowsTheCanvasAgain)
{
    support::FakeWindow window(8, 8);
    for (auto type : {HostEvent::DEACTIVATED, HostEvent::DEACTIVATED, HostEvent::ACTIVATED, HostEvent::ACTIVATED}) {
        window.events.emplace_back();
        window.events.back().type = type;
    }
    host::VirtualClock clock;
    scenario().endAfterTicks = 3;
    CGameEngine engine(createTestApplication);
    EXPECT_EQ(engine.run(window, clock, false), 0);
    EXPECT_EQ(scenario().log, "start show pause show destroy ") << "repeated focus events change nothing";
    EXPECT_EQ(scenario().ticks, 3);
    EXPECT_FALSE(engine.isPaused());
}

TEST_F(EngineTest, StartFailuresEndWithoutALoop)
{
    const struct { uint32_t kind; const char* message; } cases[] = {
        {vela::lang::IllegalArgumentException, "StartApp - unhandled exception 0x5400000!\nIllegalArgumentException"},
        {vela::lang::IOException, "start failed: exception 0x6000000 (IOException)"},
        {vela::lang::EOFException, "start failed: exception 0x6000002"},
        {0, "StartApp - unknown exception!"}};
    for (const auto& c : cases) {
        scenario() = TestScenario();
        scenario().startFailure = c.kind;
        scenario().startUnknownFailure = c.kind == 0;
        std::string err = runFailing("wait 420\n");
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_EQ(scenario().ticks, 0);
        EXPECT_EQ(scenario().log, "start ") << "the application was released without destroyApp";
    }
}

TEST_F(EngineTest, FailureInAFrameEndsTheRunWithTheMessage)
{
    scenario().tickFailure = vela::lang::NullPointerException;
    std::string err = runFailing("wait 84\nkey 5\nwait 420\n");
    EXPECT_NE(err.find("Run - unhandled exception 0x5000080!\nNullPointerException\r\ntick went wrong"),
              std::string::npos)
        << err;
    EXPECT_EQ(scenario().log, "start show P53 ") << "no normal exit sequence";
}

TEST(EngineDeathTest, ASecondEngineEndsTheProcess)
{
    EXPECT_EXIT(
        {
            CGameEngine first(createTestApplication);
            CGameEngine second(createTestApplication);
        },
        ::testing::ExitedWithCode(0), "GameEngine already exists!");
}

} // namespace
