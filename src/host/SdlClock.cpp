// The real tick count: milliseconds since SDL started.
#include "host/Clock.h"

#include <SDL.h>

namespace host {

namespace {

class SdlClock : public Clock {
public:
    SdlClock() { SDL_InitSubSystem(SDL_INIT_TIMER); }
    ~SdlClock() override { SDL_QuitSubSystem(SDL_INIT_TIMER); }
    uint32_t ticks() override { return SDL_GetTicks(); }
    void sleep(uint32_t millis) override { SDL_Delay(millis); }
};

} // namespace

std::unique_ptr<Clock> makeSdlClock()
{
    return std::make_unique<SdlClock>();
}

} // namespace host
