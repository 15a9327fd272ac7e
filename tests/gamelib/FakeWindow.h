// The device screen without a window, for tests and benchmarks: flushes land in `screen()`.
#pragma once

#include "host/Surface.h"
#include "host/Window.h"

class FakeWindow : public host::Window {
public:
    FakeWindow(int width, int height) : surface(width, height) {}
    host::Surface& screen() override { return surface; }
    void present() override {}
    bool nextEvent(host::HostEvent&, int) override { return false; }
    bool hasDisplay() const override { return false; }

private:
    host::Surface surface;
};
