// The canvas whose graphics draw into its back buffer and whose flush shows it.
#pragma once

#include "microedition/lcdui/DCanvas.h"
#include "microedition/lcdui/game/DGameCanvas.ptr"

namespace vela::microedition::lcdui::game {

class DGameCanvas : public DCanvas {
public:
    DGameCanvas();
    ~DGameCanvas() override;

    // A new context on the back buffer at every call.
    DGraphicsPtr getGraphics();
    // Copies the whole back buffer to the screen; nothing while the canvas is not shown.
    void flushGraphics();
};

} // namespace vela::microedition::lcdui::game
