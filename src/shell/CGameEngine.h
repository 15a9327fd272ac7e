// The application shell: creates the application and display, runs the main loop, delivers
// window events to the current canvas and reports failures that escape the application.
#pragma once

#include "host/HostEvent.h"
#include "io/DPrintStream.ptr"
#include "microedition/lcdui/DDisplay.ptr"
#include "microedition/midlet/DMIDlet.ptr"
#include "shell/ApplicationFactory.h"
#include "shell/KeyTranslation.h"

#include <cstdint>
#include <string>

namespace host {
class Clock;
class Window;
} // namespace host

class CGameEngine {
public:
    static const char16_t* const TITLE; // string 101

    // A second engine is a fatal programming error: message, then the process ends.
    explicit CGameEngine(ApplicationFactory createApplication);
    virtual ~CGameEngine();

    virtual bool start();
    virtual void exit();
    virtual bool frame();
    virtual void pointerPressed(int x, int y);
    virtual void pointerReleased(int x, int y);
    virtual void pointerDragged(int x, int y);
    virtual void keyPressed(int hostKey);
    virtual void keyRepeated(int hostKey);
    virtual void keyReleased(int hostKey);
    virtual void pause();
    virtual void resume();

    // Runs the program in `window` until it ends; the exit status (0 unless a failure ended it).
    int run(host::Window& window, host::Clock& clock, bool smartphone);
    // One window event, as the window procedure handles it.
    void handle(const host::HostEvent& event);

    static CGameEngine* instance();
    static vela::io::DPrintStreamPtr standardOutput();
    static vela::io::DPrintStreamPtr standardError();

    bool isPaused() const { return paused; }
    vela::microedition::midlet::DMIDletPtr application() const { return app; }

    // Shows a failure to the user (message box and standard error).
    static void report(const std::string& text);

private:
    // The current displayable, or null: events without one are dropped.
    template <class Deliver>
    void toCurrent(Deliver deliver);
    void deliverKey(int hostKey, KeyPhase phase);
    void loop(host::Window& window);
    void showSplash(host::Window& window);

    ApplicationFactory createApplication;
    vela::microedition::midlet::DMIDletPtr app;
    vela::microedition::lcdui::DDisplayPtr display;
    bool paused = false;
    bool splash = false;
    uint32_t splashStart = 0;
    bool smartphone = false;
    host::Window* displayLayer = nullptr;
    host::Clock* clock = nullptr;
    int32_t running = 1;
    KeyTableEntry keys[KEY_TABLE_SIZE] = {};
    int exitStatus = 0;
};
