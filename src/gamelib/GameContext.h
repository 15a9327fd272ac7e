// Process-wide state of the game library, owned by the application object.
#pragma once

#include "gamelib/FrameScheduler.h"
#include "gamelib/GameFlow.ptr"
#include "gamelib/ScreenCanvas.ptr"
#include "gamelib/StringManager.ptr"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/midlet/DMIDlet.ptr"
#include "util/DRandom.ptr"

#include <cstdint>

namespace gamelib {

struct GameContext {
    static GameContext& get();
    // Drops every reference (at exit and between tests).
    static void reset();

    vela::microedition::midlet::DMIDlet* application = nullptr;
    GameFlowPtr game;
    ScreenCanvasPtr canvas;
    vela::microedition::lcdui::DGraphicsPtr graphics;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    // A resolution file exists for the current screen size.
    bool screenSupported = false;
    vela::util::DRandomPtr random;
    // The strings of the current language.
    StringManagerPtr strings;
    FrameScheduler scheduler;
};

} // namespace gamelib
