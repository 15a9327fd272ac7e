// The application shell: start, main loop, event delivery, pause and resume, failures.
#include "shell/CGameEngine.h"

#include "host/Clock.h"
#include "host/Window.h"
#include "io/DPrintStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DDisplayable.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/media/DManager.h"
#include "microedition/midlet/DMIDlet.h"
#include "shell/SplashPicture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace vela;
using vela::microedition::lcdui::DDisplay;
using vela::microedition::lcdui::DDisplayablePtr;
using vela::microedition::midlet::DMIDlet;

const char16_t* const CGameEngine::TITLE = u"Tintrow";

namespace {

CGameEngine* theEngine = nullptr;
io::DPrintStreamPtr standardOut;
io::DPrintStreamPtr standardErr;


std::string utf8(const char16_t* text)
{
    return lang::DStringPtr(new lang::DString(text))->toUtf8();
}

std::string formatFailure(const char* format, const lang::DExceptionBase* e, bool withMessage)
{
    std::string name = utf8(lang::DExceptionBase::nameOf(e->code));
    char text[512];
    if (withMessage)
        std::snprintf(text, sizeof text, format, unsigned(e->code), name.c_str(), utf8(e->message).c_str());
    else
        std::snprintf(text, sizeof text, format, unsigned(e->code), name.c_str());
    return text;
}

} // namespace

CGameEngine::CGameEngine(ApplicationFactory createApplication) : createApplication(createApplication)
{
    if (theEngine) {
        report("GameEngine already exists!");
        std::exit(0);
    }
    theEngine = this;
}

CGameEngine::~CGameEngine()
{
    microedition::media::DManager::release();
    if (theEngine == this)
        theEngine = nullptr;
    display = nullptr;
    if (DMIDlet::getCurrent() == app) // after a failed run the application is still current
        DMIDlet::setCurrent(nullptr);
    app = nullptr;
}

CGameEngine* CGameEngine::instance()
{
    return theEngine;
}

io::DPrintStreamPtr CGameEngine::standardOutput()
{
    return standardOut;
}

io::DPrintStreamPtr CGameEngine::standardError()
{
    return standardErr;
}

void CGameEngine::report(const std::string& text)
{
    host::showMessage("Error!", text, theEngine && theEngine->displayLayer && theEngine->displayLayer->hasDisplay());
}

bool CGameEngine::start()
{
    try {
        standardOut = new io::DPrintStream();
        standardErr = new io::DPrintStream();
        app = createApplication();
        DMIDlet::setCurrent(app);
        display = new DDisplay(displayLayer);
        app->startApp();
        return app->running != 0;
    } catch (lang::DExceptionBase* e) {
        if (lang::DExceptionBase::isKind(e, lang::IOException)) {
            // No message box for a missing resource, but the user still learns why it ended.
            std::fprintf(stderr, "tintrow: %s\n", formatFailure("start failed: exception 0x%x (%s) %s", e, true).c_str());
        } else if (e) {
            report(formatFailure("StartApp - unhandled exception 0x%x!\n%s", e, false));
        } else {
            report("StartApp - unknown exception!");
        }
        delete e;
    } catch (...) {
        report("StartApp - unknown exception!");
    }
    display = nullptr;
    app = nullptr;
    exitStatus = 1;
    return false;
}

void CGameEngine::exit()
{
    standardOut = nullptr;
    standardErr = nullptr;
    if (app)
        app->destroyApp(true);
    microedition::lcdui::DFont::releaseCache();
    DMIDlet::setCurrent(nullptr);
    app = nullptr;
    display = nullptr;
}

bool CGameEngine::frame()
{
    if (splash) {
        if (clock->ticks() > splashStart)
            splash = false;
        return true;
    }
    if (!app)
        return false;
    app->tick();
    return app->running != 0;
}

template <class Deliver>
void CGameEngine::toCurrent(Deliver deliver)
{
    if (!display)
        return;
    if (DDisplayablePtr current = display->getCurrent())
        deliver(current);
}

void CGameEngine::pointerPressed(int x, int y)
{
    toCurrent([=](DDisplayablePtr d) { d->pointerPressed(x, y); });
}

void CGameEngine::pointerReleased(int x, int y)
{
    toCurrent([=](DDisplayablePtr d) { d->pointerReleased(x, y); });
}

void CGameEngine::pointerDragged(int x, int y)
{
    toCurrent([=](DDisplayablePtr d) { d->pointerDragged(x, y); });
}

void CGameEngine::deliverKey(int hostKey, KeyPhase phase)
{
    toCurrent([=](DDisplayablePtr d) {
        int key = translateKey(smartphone, hostKey);
        if (key == NO_KEY)
            return;
        switch (phase) {
        case KeyPhase::PRESSED: d->keyPressed(key); break;
        case KeyPhase::REPEATED: d->keyRepeated(key); break;
        case KeyPhase::RELEASED: d->keyReleased(key); break;
        }
    });
}

void CGameEngine::keyPressed(int hostKey)
{
    deliverKey(hostKey, KeyPhase::PRESSED);
}

void CGameEngine::keyRepeated(int hostKey)
{
    deliverKey(hostKey, KeyPhase::REPEATED);
}

void CGameEngine::keyReleased(int hostKey)
{
    deliverKey(hostKey, KeyPhase::RELEASED);
}

void CGameEngine::pause()
{
    microedition::media::DManager::pauseOutput();
    if (app)
        app->pauseApp();
}

void CGameEngine::resume()
{
    microedition::media::DManager::resumeOutput();
    toCurrent([](DDisplayablePtr d) { d->showNotify(); });
}

void CGameEngine::handle(const host::HostEvent& e)
{
    switch (e.type) {
    case host::HostEvent::KEY_DOWN:
        if (e.repeat)
            keyRepeated(e.key);
        else
            keyPressed(e.key);
        break;
    case host::HostEvent::KEY_UP: keyReleased(e.key); break;
    case host::HostEvent::POINTER_DOWN: pointerPressed(e.x, e.y); break;
    case host::HostEvent::POINTER_UP: pointerReleased(e.x, e.y); break;
    case host::HostEvent::POINTER_DRAG: pointerDragged(e.x, e.y); break;
    case host::HostEvent::ACTIVATED: // only a real change counts: hosts repeat these
        if (paused) {
            paused = false;
            resume();
        }
        break;
    case host::HostEvent::DEACTIVATED:
        if (!paused) {
            paused = true;
            pause();
        }
        break;
    case host::HostEvent::CLOSE: running = 0; break;
    case host::HostEvent::NONE: break;
    }
}

void CGameEngine::showSplash(host::Window& window)
{
    host::Surface& screen = window.screen();
    std::fill(screen.pixels.begin(), screen.pixels.end(), uint16_t(0xFFFF));
    drawSplashPicture(screen);
    window.present();
}

void CGameEngine::loop(host::Window& window)
{
    host::HostEvent event;
    while (running) {
        clock->passBegins();
        // One event per pass, as the handheld's loop peeks one message: the application polls
        // the stylus state, so a press and its release must not meet before the same frame.
        if (!paused) {
            int wait = app && !splash ? app->millisUntilDue() : DMIDlet::DEFAULT_WAIT_MILLIS;
            if (window.nextEvent(event, std::max(0, wait)))
                handle(event);
        } else if (window.nextEvent(event, -1)) { // inactive: sleep until the window wakes us
            handle(event);
        }
        if (running && !paused && !frame())
            break;
    }
}

int CGameEngine::run(host::Window& window, host::Clock& hostClock, bool isSmartphone)
{
    displayLayer = &window;
    clock = &hostClock;
    splashStart = clock->ticks();
    splash = true;
    showSplash(window);
    smartphone = isSmartphone;
    fillKeyTable(smartphone, keys);
    if (!start()) {
        exit();
        displayLayer = nullptr;
        return exitStatus;
    }
    try {
        loop(window);
        exit();
    } catch (lang::DExceptionBase* e) {
        report(e ? formatFailure("Run - unhandled exception 0x%x!\n%s\r\n%s", e, true) : "Run - unknown exception!");
        delete e;
        exitStatus = 1;
    } catch (...) {
        report("Run - unknown exception!");
        exitStatus = 1;
    }
    displayLayer = nullptr;
    return exitStatus;
}
