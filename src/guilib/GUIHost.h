// What the GUI library needs from the application: canvas input, clock, screen, sound, exit.
#pragma once

#include <cstdint>

#include "gamelib/SoundManager.ptr"
#include "lang/DString.ptr"

namespace guilib {

// The screen canvas's input state and the application services, behind one narrow seam so
// that widget trees can be driven by a scripted input state and clock.
class GUIHost {
public:
    virtual ~GUIHost() = default;

    // Game action flags 0-15 (0 up, 1 down, 2 left, 3 right, 4 fire, 9/10 soft keys).
    virtual bool isActionSet(int32_t action) = 0;
    virtual bool isKeyEventSeen() = 0;
    virtual void clearKeyEventSeen() = 0;
    virtual int32_t getLastKeyCode() = 0;

    virtual bool isPointerDown() = 0;
    virtual bool isPointerDragged() = 0;
    virtual int32_t getPointerX() = 0;
    virtual int32_t getPointerY() = 0;
    virtual int32_t getPreviousPointerX() = 0;
    virtual int32_t getPreviousPointerY() = 0;
    // Clears the action flags, anyKeyPressed, pointerDown and pointerDragged.
    virtual void resetActionFlags() = 0;

    virtual int32_t getScreenWidth() = 0;
    virtual int32_t getScreenHeight() = 0;
    virtual int64_t currentTimeMillis() = 0;

    virtual void platformRequest(const vela::lang::DStringPtr& url) = 0;
    virtual void notifyDestroyed() = 0;
};

// The part of the sound control that actions reach.
class GUISoundControl {
public:
    virtual ~GUISoundControl() = default;
    virtual void setSoundVolume(int32_t volume) = 0;
    virtual void setMusicVolume(int32_t volume) = 0;
    virtual void playSound(int32_t index, bool loop, int32_t param) = 0;
};

// The game's sound control seen through that interface.
class GUISoundManagerControl : public GUISoundControl {
public:
    gamelib::SoundManager* manager = nullptr;
    void setSoundVolume(int32_t volume) override;
    void setMusicVolume(int32_t volume) override;
    void playSound(int32_t index, bool loop, int32_t param) override;
};

} // namespace guilib
