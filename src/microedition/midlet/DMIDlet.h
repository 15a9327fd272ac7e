// The application base class: lifecycle operations the shell drives, and the running state.
#pragma once

#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "microedition/lcdui/DDisplay.ptr"
#include "microedition/midlet/DMIDlet.ptr"

#include <cstdint>
#include <string>

namespace vela::microedition::midlet {

class DMIDlet : public lang::DObject {
public:
    // An application that cannot tell when its turn is due is given one every few milliseconds.
    static constexpr int32_t DEFAULT_WAIT_MILLIS = 4;

    DMIDlet() = default;
    ~DMIDlet() override;

    virtual void destroyApp(bool unconditional);
    virtual void pauseApp();
    virtual void startApp();
    // One turn of the application per pass of the main loop.
    virtual void tick();
    // How long the main loop may wait for input before the application's next turn is due.
    virtual int32_t millisUntilDue() { return DEFAULT_WAIT_MILLIS; }
    // Null for every key here; applications answer their own.
    virtual lang::DStringPtr getAppProperty(lang::DStringPtr key);

    // Ends the main loop after the current turn.
    void notifyDestroyed() { running = 0; }
    // Hands the URL to the host's handler; the outcome is not known, so always true.
    bool platformRequest(lang::DStringPtr url);

    int32_t running = 1;
    lcdui::DDisplayPtr display;

    // The application the display belongs to.
    static DMIDletPtr getCurrent();
    static void setCurrent(DMIDletPtr app);
};

} // namespace vela::microedition::midlet
