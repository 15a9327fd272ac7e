// The one canvas: event recording and the turning of queued keys into action flags.
#include "gamelib/ScreenCanvas.h"

#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

using vela::lang::DSystem;

namespace gamelib {

KeyQueue ScreenCanvas::keyQueue;
int32_t ScreenCanvas::lastKeyCode = 0;
bool ScreenCanvas::lastKeyPressed = false;
bool ScreenCanvas::actions[ACTION_COUNT] = {};
bool ScreenCanvas::anyKeyPressed = false;
bool ScreenCanvas::keyEventSeen = false;
int32_t ScreenCanvas::pointerX = 0;
int32_t ScreenCanvas::pointerY = 0;
int32_t ScreenCanvas::previousPointerX = 0;
int32_t ScreenCanvas::previousPointerY = 0;
bool ScreenCanvas::pointerDown = false;
bool ScreenCanvas::pointerIsDragged = false;
int64_t ScreenCanvas::pointerPressTime = 0;
HiddenSequence ScreenCanvas::hiddenSequence;
bool ScreenCanvas::pressUnseen = false;
bool ScreenCanvas::releaseWaiting = false;
int32_t ScreenCanvas::waitingReleaseX = 0;
int32_t ScreenCanvas::waitingReleaseY = 0;

namespace {

// Actions whose flag follows the key directly, and the two that also move (14 up, 15 down).
const int32_t ACTION_SPECIAL_UP = 14;
const int32_t ACTION_SPECIAL_DOWN = 15;
const int32_t LAST_PLAIN_ACTION = 10;
const int32_t ACTION_13 = 13;

}

ScreenCanvas::ScreenCanvas()
{
    GameContext& context = GameContext::get();
    context.screenWidth = getWidth();
    context.screenHeight = getHeight();
    context.graphics = getGraphics();
    keyQueue.clear();
}

void ScreenCanvas::clearActions()
{
    for (bool& flag : actions)
        flag = false;
}

void ScreenCanvas::resetActionFlags()
{
    clearActions();
    anyKeyPressed = false;
    pointerDown = false;
    pointerIsDragged = false;
}

void ScreenCanvas::resetInput()
{
    lastKeyCode = 0;
    lastKeyPressed = false;
    clearActions();
    anyKeyPressed = false;
    pointerIsDragged = false;
    keyQueue.clear();
}

void ScreenCanvas::sizeChanged(int32_t width, int32_t height)
{
    GameContext& context = GameContext::get();
    if (width == context.screenWidth && height == context.screenHeight)
        return;
    context.graphics = getGraphics();
    context.screenWidth = width;
    context.screenHeight = height;
    context.screenSupported = Resources::isResolutionSupported(width, height);
    clearActions();
    keyQueue.clear();
}

void ScreenCanvas::showNotify()
{
    GameContext::get().scheduler.restart();
}

void ScreenCanvas::hideNotify()
{
}

void ScreenCanvas::keyPressed(int32_t code)
{
    anyKeyPressed = true;
    keyQueue.append(code, true);
}

void ScreenCanvas::keyReleased(int32_t code)
{
    keyQueue.append(code, false);
}

void ScreenCanvas::pointerPressed(int32_t x, int32_t y)
{
    if (pointerDown || pointerIsDragged)
        return;
    pointerX = previousPointerX = x;
    pointerY = previousPointerY = y;
    resetActionFlags();
    pointerDown = true;
    pointerPressTime = DSystem::currentTimeMillis();
    pressUnseen = true;
    releaseWaiting = false; // one left from a gesture a reader had already ended
}

void ScreenCanvas::pointerDragged(int32_t x, int32_t y)
{
    if (!pointerDown || x < 0 || x > GameContext::get().screenWidth)
        return;
    previousPointerX = pointerX;
    previousPointerY = pointerY;
    pointerX = x;
    pointerY = y;
    resetActionFlags();
    pointerIsDragged = true;
    pointerDown = true;
}

void ScreenCanvas::pointerReleased(int32_t x, int32_t y)
{
    if (pressUnseen && (pointerDown || pointerIsDragged)) {
        releaseWaiting = true;
        waitingReleaseX = x;
        waitingReleaseY = y;
        return;
    }
    endGesture(x, y);
}

void ScreenCanvas::endGesture(int32_t x, int32_t y)
{
    if (!pointerDown && !pointerIsDragged)
        return;
    pointerX = x;
    pointerY = y;
    resetActionFlags();
}

void ScreenCanvas::tickSawPointer()
{
    pressUnseen = false;
    if (releaseWaiting) {
        releaseWaiting = false;
        endGesture(waitingReleaseX, waitingReleaseY);
    }
}

void ScreenCanvas::takeKeyEvent()
{
    KeyEvent event;
    if (!keyQueue.take(event))
        return;
    lastKeyCode = event.code;
    lastKeyPressed = event.pressed;
    if (event.pressed && hiddenSequence.feed(event.code))
        return;
    const int32_t action = getGameAction(event.code);
    if ((action >= 0 && action <= LAST_PLAIN_ACTION) || action == ACTION_13) {
        actions[action] = event.pressed;
    } else if (action == ACTION_SPECIAL_UP) {
        actions[ACTION_SPECIAL_UP] = actions[UP] = event.pressed;
    } else if (action == ACTION_SPECIAL_DOWN) {
        actions[ACTION_SPECIAL_DOWN] = actions[DOWN] = event.pressed;
    }
    if (event.pressed) {
        anyKeyPressed = true;
        keyEventSeen = true;
    }
}

} // namespace gamelib
