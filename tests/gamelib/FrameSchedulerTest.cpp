// The fixed-rate scheduler against a fake clock: catching up, stalls, resumes.
#include "gamelib/FrameScheduler.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gamelib;

namespace {

int64_t fakeNow;
int64_t fakeClock() { return fakeNow; }

// Records tick and paint times; a tick may take simulated time.
struct Recorder : FrameScheduler::Client {
    std::vector<int64_t> ticks, paints;
    int64_t tickCost = 0;
    void runTick() override
    {
        ticks.push_back(fakeNow);
        fakeNow += tickCost;
    }
    void paintFrame() override { paints.push_back(fakeNow); }
};

class FrameSchedulerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeNow = 1000;
        scheduler.restart();
    }
    FrameScheduler scheduler{fakeClock};
    Recorder recorder;
};

}

TEST_F(FrameSchedulerTest, ALateLoopCatchesUpOneTickPerPassUpToSixteenPeriodsThenJumps)
{
    for (int periods : {5, 17}) {
        scheduler.lastTick = 1000;
        fakeNow = 1000 + 42 * periods;
        int ticks = 0;
        while (scheduler.pass(recorder))
            ++ticks;
        EXPECT_EQ(periods, ticks);
    }
    scheduler.lastTick = 1000;
    fakeNow = 1000 + 42 * 18;
    EXPECT_TRUE(scheduler.pass(recorder));
    EXPECT_FALSE(scheduler.pass(recorder));
    // The next tick comes two periods after the stalled pass, not as a burst.
    const int64_t stalled = fakeNow;
    recorder.ticks.clear();
    for (; fakeNow <= stalled + 84; ++fakeNow)
        scheduler.pass(recorder);
    EXPECT_EQ((std::vector<int64_t>{stalled + 84}), recorder.ticks);
}

TEST_F(FrameSchedulerTest, ResumedLastsUntilAPassHasRunATick)
{
    scheduler.resumed = true;
    fakeNow = 1010;
    EXPECT_FALSE(scheduler.pass(recorder));
    EXPECT_TRUE(scheduler.resumed) << "no tick saw it yet";
    fakeNow = 1042;
    EXPECT_TRUE(scheduler.pass(recorder));
    EXPECT_FALSE(scheduler.resumed);
}
