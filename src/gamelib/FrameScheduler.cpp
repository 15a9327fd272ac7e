// The fixed-rate scheduler.
#include "gamelib/FrameScheduler.h"

namespace gamelib {

bool FrameScheduler::pass(Client& client)
{
    const int64_t start = clock();
    const int64_t late = start - PERIOD - lastTick;
    if (late > MAX_BACKLOG * PERIOD)
        lastTick = start;
    const bool ticked = late >= 0;
    if (ticked) {
        lastTick += PERIOD;
        client.runTick();
        // A frame whose predecessor ran long is updated but not drawn, so updates keep their rate.
        if (lastFrameDuration < PERIOD + (PERIOD >> 2))
            client.paintFrame();
        resumed = false;
    }
    lastFrameDuration = clock() - start;
    return ticked;
}

} // namespace gamelib
