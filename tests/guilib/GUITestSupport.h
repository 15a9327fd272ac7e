// Fakes for GUI tests: a scripted canvas input state and clock, a sound recorder, a fixture.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "guilib/GUIEngine.h"
#include "guilib/GUIHost.h"
#include "guilib/GUIWidget.h"

namespace guitest {

// The screen canvas's input state as plain fields that a test sets frame by frame.
class FakeHost : public gamelib::GUIHost {
public:
    bool actions[16] = {};
    bool keyEventSeen = false;
    int32_t lastKeyCode = 0;
    bool pointerDown = false;
    bool pointerDragged = false;
    int32_t pointerX = 0, pointerY = 0, previousX = 0, previousY = 0;
    int32_t width = 240, height = 320;
    int64_t now = 10000;
    int resets = 0;
    std::vector<std::string> urls;
    int destroyed = 0;

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
    void platformRequest(const vela::lang::DStringPtr& url) override;
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
    void release()
    {
        pointerDown = false;
        pointerDragged = false;
    }
};

class SoundRecorder : public gamelib::GUISoundControl {
public:
    std::vector<std::string> calls;
    void setSoundVolume(int32_t v) override { calls.push_back("sfx " + std::to_string(v)); }
    void setMusicVolume(int32_t v) override { calls.push_back("music " + std::to_string(v)); }
    void playSound(int32_t index, bool loop, int32_t param) override
    {
        calls.push_back("play " + std::to_string(index) + (loop ? " loop " : " once ")
                        + std::to_string(param));
    }
};

// One handled event as the recording callback saw it: widget id and event code.
using EventLog = std::vector<std::pair<int32_t, int32_t>>;
EventLog& eventLog();
// A callback that records (source id, event) when its action executes.
void recordEvent(gamelib::GUIAction& action);
// Binds the recorder to each of the events on the widget (chained after existing bindings).
void recordEvents(const gamelib::GUIWidgetPtr& widget, std::initializer_list<int32_t> events);

// Every test runs on a fresh engine bound to a fake host and a sound recorder.
class GUITest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    gamelib::GUIEngine& engine() { return *gamelib::GUIEngine::getInstance(); }
    // Executes every queued action in order; returns how many ran.
    int drain();
    // One frame as the application runs it: update, then the queue.
    void frame();
    gamelib::GUIWidgetPtr makeWidget(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h);

    FakeHost host;
    SoundRecorder sound;
};

} // namespace guitest
