// The window service: the device screen, its presentation and the events of the window.
#pragma once

#include "host/HostEvent.h"
#include "host/Surface.h"

#include <memory>
#include <string>

namespace host {

struct RgbaPicture;

struct WindowOptions {
    std::string title = "Tintrow";
    int width = 240;   // device pixels
    int height = 320;
    int scale = 0;     // 0: the largest that fits about 85% of the desktop
};

class Window {
public:
    virtual ~Window() = default;

    // The device screen that canvases flush into.
    virtual Surface& screen() = 0;
    // Shows the screen as it is now.
    virtual void present() = 0;

    // The next event; waits up to timeoutMs for one (negative: until one comes).
    virtual bool nextEvent(HostEvent& event, int timeoutMs) = 0;

    // Whether a person can see this window (message boxes need one).
    virtual bool hasDisplay() const = 0;

    // The picture the desktop shows for the window; windows nobody sees ignore it.
    virtual void setIcon(const RgbaPicture&) {}
};

// A real window through SDL; null with a reason when no display can be opened.
std::unique_ptr<Window> openSdlWindow(const WindowOptions& options, std::string& error);

// Shows a message to the user: a dialog when a display exists, and always on standard error.
void showMessage(const std::string& caption, const std::string& text, bool haveDisplay);

} // namespace host
