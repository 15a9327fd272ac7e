// The one canvas: records key and pointer events for the scheduler and the screens to read.
#pragma once

#include "gamelib/HiddenSequence.h"
#include "gamelib/KeyQueue.h"
#include "gamelib/ScreenCanvas.ptr"
#include "microedition/lcdui/game/DGameCanvas.h"

namespace gamelib {

class ScreenCanvas : public vela::microedition::lcdui::game::DGameCanvas {
public:
    // Actions 0-15 of the key map; 11 and 12 never get a flag.
    static constexpr int32_t ACTION_COUNT = 16;

    ScreenCanvas();

    void sizeChanged(int32_t width, int32_t height) override;
    void showNotify() override;
    void pointerPressed(int32_t x, int32_t y) override;
    void pointerReleased(int32_t x, int32_t y) override;
    void hideNotify() override;
    void keyPressed(int32_t code) override;
    void keyReleased(int32_t code) override;
    void pointerDragged(int32_t x, int32_t y) override;

    // Turns the oldest queued key event into the action flags; once per tick.
    void takeKeyEvent();
    // Called after every tick: a release that came before any tick saw its press happens now,
    // so a click between two ticks still counts.
    static void tickSawPointer();

    // Clears the action flags, anyKeyPressed, pointerDown and pointerDragged.
    static void resetActionFlags();
    // Clears lastKeyCode, the action flags, anyKeyPressed and pointerDragged and empties the
    // queue; pointerDown stays (a screen change must not lose a held stylus).
    static void resetInput();

    // The input state, shared by every reader.
    static KeyQueue keyQueue;
    static int32_t lastKeyCode;
    // The event of lastKeyCode was a press (not a release).
    static bool lastKeyPressed;
    static bool actions[ACTION_COUNT];
    static bool anyKeyPressed;
    // A key press was taken from the queue since the GUI's last key pass.
    static bool keyEventSeen;
    static int32_t pointerX;
    static int32_t pointerY;
    static int32_t previousPointerX;
    static int32_t previousPointerY;
    static bool pointerDown;
    static bool pointerIsDragged;
    static int64_t pointerPressTime;
    static HiddenSequence hiddenSequence;

private:
    static void clearActions();
    static void endGesture(int32_t x, int32_t y);

    // The press has not been seen by a tick yet; a release meanwhile waits for one.
    static bool pressUnseen;
    static bool releaseWaiting;
    static int32_t waitingReleaseX;
    static int32_t waitingReleaseY;
};

} // namespace gamelib
