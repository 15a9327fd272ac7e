// The application the shell tests run: it logs what reaches it and fails on request.
#pragma once

#include "microedition/lcdui/game/DGameCanvas.h"
#include "microedition/midlet/DMIDlet.h"

#include <cstdint>
#include <string>

struct TestScenario {
    uint32_t startFailure = 0; // an exception kind thrown by startApp, 0 for none
    bool startUnknownFailure = false;
    uint32_t tickFailure = 0;  // thrown by the tick that follows the input below
    int endAfterTicks = -1;    // notifyDestroyed after this many ticks
    bool logTicks = false;     // each tick adds "|" to the log
    std::string log;           // what reached the application and its canvas, in order
    int ticks = 0;
};

// The scenario the next application created by the factory follows.
TestScenario& scenario();

// The engine's application factory in these tests.
vela::microedition::midlet::DMIDletPtr createTestApplication();
