// A scripted canvas input state and clock, and a sound recorder, for GUI tests and benchmarks.
#pragma once

#include <string>
#include <vector>

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
    int resets = 0, destroyed = 0;
    std::vector<std::string> urls;

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
        ++resets;
        for (bool& a : actions)
            a = false;
        pointerDown = pointerDragged = false;
    }
    int32_t getScreenWidth() override { return width; }
    int32_t getScreenHeight() override { return height; }
    int64_t currentTimeMillis() override { return now; }
    void platformRequest(const vela::lang::DStringPtr& url) override
    {
        urls.push_back(url->toUtf8());
    }
    void notifyDestroyed() override { ++destroyed; }

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

class SoundRecorder : public guilib::GUISoundControl {
public:
    std::vector<std::string> calls;
    void setSoundVolume(int32_t v) override { calls.push_back("sfx " + std::to_string(v)); }
    void setMusicVolume(int32_t v) override { calls.push_back("music " + std::to_string(v)); }
    void playSound(int32_t index, bool loop, int32_t param) override
    {
        calls.push_back(
            "play " + std::to_string(index) + (loop ? " loop " : " once ") + std::to_string(param));
    }
};

} // namespace guitest
