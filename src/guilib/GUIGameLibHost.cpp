// Binds the GUI library to the screen canvas statics and the application object.
#include "guilib/GUIGameLibHost.h"

#include "gamelib/GameContext.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "microedition/midlet/DMIDlet.h"

using gamelib::GameContext;
using gamelib::ScreenCanvas;

namespace guilib {

GUIGameLibHost& GUIGameLibHost::instance()
{
    static GUIGameLibHost host;
    return host;
}

bool GUIGameLibHost::isActionSet(int32_t action)
{
    return action >= 0 && action < ScreenCanvas::ACTION_COUNT && ScreenCanvas::actions[action];
}

bool GUIGameLibHost::isKeyEventSeen()
{
    return ScreenCanvas::keyEventSeen;
}

void GUIGameLibHost::clearKeyEventSeen()
{
    ScreenCanvas::keyEventSeen = false;
}

int32_t GUIGameLibHost::getLastKeyCode()
{
    return ScreenCanvas::lastKeyCode;
}

bool GUIGameLibHost::isPointerDown()
{
    return ScreenCanvas::pointerDown;
}

bool GUIGameLibHost::isPointerDragged()
{
    return ScreenCanvas::pointerIsDragged;
}

int32_t GUIGameLibHost::getPointerX()
{
    return ScreenCanvas::pointerX;
}

int32_t GUIGameLibHost::getPointerY()
{
    return ScreenCanvas::pointerY;
}

int32_t GUIGameLibHost::getPreviousPointerX()
{
    return ScreenCanvas::previousPointerX;
}

int32_t GUIGameLibHost::getPreviousPointerY()
{
    return ScreenCanvas::previousPointerY;
}

void GUIGameLibHost::resetActionFlags()
{
    ScreenCanvas::resetActionFlags();
}

// Before the canvas exists the screen is the host's default device screen.
static constexpr int32_t DEFAULT_SCREEN_WIDTH = 240;
static constexpr int32_t DEFAULT_SCREEN_HEIGHT = 320;

int32_t GUIGameLibHost::getScreenWidth()
{
    int32_t w = GameContext::get().screenWidth;
    return w > 0 ? w : DEFAULT_SCREEN_WIDTH;
}

int32_t GUIGameLibHost::getScreenHeight()
{
    int32_t h = GameContext::get().screenHeight;
    return h > 0 ? h : DEFAULT_SCREEN_HEIGHT;
}

int64_t GUIGameLibHost::currentTimeMillis()
{
    return vela::lang::DSystem::currentTimeMillis();
}

void GUIGameLibHost::platformRequest(const vela::lang::DStringPtr& url)
{
    if (auto* application = GameContext::get().application)
        application->platformRequest(url);
}

void GUIGameLibHost::notifyDestroyed()
{
    if (auto* application = GameContext::get().application)
        application->notifyDestroyed();
}

} // namespace guilib
