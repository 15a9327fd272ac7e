// A scripted canvas input state and clock, for GUI tests and benchmarks.
#pragma once

#include "guilib/GUIHost.h"
#include "lang/DString.h"

namespace guitest {

// The screen canvas's input state as plain fields that a test sets frame by frame.
class FakeHost : public guilib::GUIHost {
public:
    bool actions[16] = {};
    bool keyEventSeen = false, pointerDown = false, pointerDragged = false;
    int32_t lastKeyCode = 0;
    int32_t pointerX = 0, pointerY = 0, previousX = 0, previousY = 0;
    int32_t width = 240, height = 320;
    int64_t now = 10000;

    bool isActionSet(int32_t a) override { return a >= 0 && a < 16 && actions[a]; }
    bool isKeyEventSeen() override { return keyEventSeen; }
    void clearKeyEventSeen() override { keyEventSeen = false; }
    int32_t getLastKeyCode() override { return lastKeyCode; }
    bool isPointerDown() override { return pointerDown; }
    bool isPointerDragged() override { return pointerDragged; }
    int32_t getPointerX() override { return pointerX; }
    int32_t getPointerY() override { return pointerY; }
    int32_t getPreviousPointerX() override { return previousX; }
    int32_t getPreviousPointerY() override { return previousY; }
    void resetActionFlags() override
    {
        for (bool& a : actions)
            a = false;
        pointerDown = pointerDragged = false;
    }
    int32_t getScreenWidth() override { return width; }
    int32_t getScreenHeight() override { return height; }
    int64_t currentTimeMillis() override { return now; }
    void platformRequest(const vela::lang::DStringPtr&) override { }
    void notifyDestroyed() override { }

    // Pointer gestures as the canvas records them.
    void press(int32_t x, int32_t y)
    {
        pointerX = previousX = x;
        pointerY = previousY = y;
        pointerDown = true;
        pointerDragged = false;
    }
    void drag(int32_t x, int32_t y)
    {
        previousX = pointerX;
        previousY = pointerY;
        pointerX = x;
        pointerY = y;
        pointerDragged = pointerDown = true;
    }
    void release() { pointerDown = pointerDragged = false; }
};

} // namespace guitest
