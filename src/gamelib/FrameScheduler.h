// The fixed-rate scheduler: at most one 42 ms tick per pass of the main loop.
#pragma once

#include "lang/DSystem.h"

#include <cstdint>

namespace gamelib {

class FrameScheduler {
public:
    static constexpr int64_t PERIOD = 42;
    // A loop further behind than this many periods jumps instead of catching up.
    static constexpr int64_t MAX_BACKLOG = 16;

    // What a tick does; the scheduler only decides when.
    class Client {
    public:
        virtual ~Client() {}
        virtual void runTick() = 0;
        virtual void paintFrame() = 0;
    };

    explicit FrameScheduler(int64_t (*clock)() = vela::lang::DSystem::currentTimeMillis)
        : clock(clock)
    {
    }

    // One pass of the main loop; true when a tick ran.
    bool pass(Client& client);
    void restart() { lastTick = clock(); }
    int64_t now() const { return clock(); }

    int64_t lastTick = 0;
    int64_t lastFrameDuration = 0;
    // Set when the application was paused; cleared after the next pass that ran a tick, so the
    // game sees it exactly once.
    bool resumed = false;

private:
    int64_t (*clock)();
};

} // namespace gamelib
