// The game object as the application object drives it: start-up, tick, paint, pause, release.
#pragma once

#include "gamelib/GameFlow.ptr"
#include "lang/DObject.h"
#include "microedition/lcdui/DGraphics.ptr"

namespace gamelib {

class GameFlow : public vela::lang::DObject {
public:
    // Runs once, after the logo screen.
    virtual void startUp() = 0;
    // One 42 ms step of the current screen; the canvas's input state is fresh.
    virtual void tick() = 0;
    // Draws the current screen into the screen graphics; the caller flushes.
    virtual void paint(const vela::microedition::lcdui::DGraphicsPtr& g) = 0;
    // The application lost the foreground.
    virtual void pause() = 0;
    // Saves what must be kept and lets go of screens and sounds; the object is dropped next.
    virtual void shutdown() = 0;
};

// Makes the game object; the application object calls it once start-up reaches the game.
using GameFlowFactory = GameFlowPtr (*)();

} // namespace gamelib
