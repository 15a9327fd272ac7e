// The one display of the application: the screen size and the current displayable.
#pragma once

#include "lang/DObject.h"
#include "microedition/lcdui/DDisplay.ptr"
#include "microedition/lcdui/DDisplayable.h"
#include "microedition/midlet/DMIDlet.ptr"

#include <cstdint>

namespace host {
class Window;
}

namespace vela::microedition::lcdui {

class DDisplay : public lang::DObject {
public:
    // Becomes the display of the current application.
    explicit DDisplay(host::Window* layer);
    ~DDisplay() override;

    static DDisplayPtr getDisplay(midlet::DMIDletPtr midlet);
    // The one display, or null before the shell made it.
    static DDisplay* instance();

    DDisplayablePtr getCurrent() const { return current; }
    // The old displayable is hidden first, even when it is made current again.
    void setCurrent(DDisplayablePtr d);
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    host::Window* layer() const { return displayLayer; }

private:
    DDisplayablePtr current;
    host::Window* displayLayer;
    int32_t width;
    int32_t height;
};

} // namespace vela::microedition::lcdui
