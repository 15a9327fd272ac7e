// A window for tests: an in-memory screen that counts presentations and replays queued events.
#pragma once

#include "host/Window.h"

#include <deque>

class TestWindow : public host::Window {
public:
    TestWindow(int w, int h) : device(w, h, 0) {}

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
