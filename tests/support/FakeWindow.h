// The device screen without a real window: presentations are counted, queued events replayed.
#pragma once

#include "host/Surface.h"
#include "host/Window.h"

#include <deque>

namespace support {

class FakeWindow : public host::Window {
public:
    FakeWindow(int width, int height) : device(width, height) { }

    host::Surface& screen() override { return device; }
    void present() override { ++presents; }
    bool nextEvent(host::HostEvent& event, int) override
    {
        if (events.empty())
            return false;
        event = events.front();
        events.pop_front();
        return true;
    }
    bool hasDisplay() const override { return false; }

    host::Surface device;
    int presents = 0;
    std::deque<host::HostEvent> events;
};

} // namespace support
