// Window and input events as the host layer hands them to the shell.
#pragma once

namespace host {

struct HostEvent {
    enum Type {
        NONE,
        KEY_DOWN,       // key: virtual-key code; repeat: the key was already down
        KEY_UP,
        POINTER_DOWN,   // x, y in device pixels
        POINTER_DRAG,   // moved with the button held
        POINTER_UP,
        ACTIVATED,      // the window came back to the foreground
        DEACTIVATED,    // lost the focus or was minimised
        CLOSE,          // the user closed the window
    };
    Type type = NONE;
    int key = 0;
    bool repeat = false;
    int x = 0;
    int y = 0;
};

} // namespace host
