// The millisecond tick count: the SDL clock for real play, a virtual one for scripted runs.
#pragma once

#include <cstdint>
#include <memory>

namespace host {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t ticks() = 0;
    // Lets time pass without work; virtual time only passes by reads and passes.
    virtual void sleep(uint32_t) {}
    // Called at the start of every pass of the main loop.
    virtual void passBegins() {}
};

// Starts at 0; every pass moves it on by one scheduler period and every read by 1 ms, so a
// loop that only reads the clock still sees time pass, and a pass that read it less than
// PASS_MS times starts exactly PASS_MS after the previous one.
class VirtualClock : public Clock {
public:
    static const uint32_t PASS_MS = 42;

    uint32_t ticks() override { return now++; }
    void passBegins() override
    {
        passStart += PASS_MS;
        if (passStart < now)
            passStart = now;
        now = passStart;
    }
    uint32_t passStartTime() const { return passStart; }

private:
    uint32_t now = 0;
    uint32_t passStart = 0;
};

std::unique_ptr<Clock> makeSdlClock();

} // namespace host
