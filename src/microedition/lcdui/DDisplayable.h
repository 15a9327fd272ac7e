// Base of everything the display can show, with the event operations the shell delivers.
#pragma once

#include "lang/DObject.h"
#include "microedition/lcdui/DDisplayable.ptr"
#include "microedition/lcdui/DGraphics.ptr"

#include <cstdint>

namespace vela::microedition::lcdui {

// Every operation does nothing here; canvases override what they need.
class DDisplayable : public lang::DObject {
public:
    // Takes the size of the display, 0 x 0 without one.
    DDisplayable();

    virtual void sizeChanged(int32_t w, int32_t h);
    virtual void showNotify();
    virtual void pointerPressed(int32_t x, int32_t y);
    virtual void pointerReleased(int32_t x, int32_t y);
    virtual void hideNotify();
    virtual void keyPressed(int32_t code);
    virtual void keyReleased(int32_t code);
    virtual void keyRepeated(int32_t code);
    virtual void paint(DGraphicsPtr g);
    virtual void pointerDragged(int32_t x, int32_t y);

    bool isShown() const { return shown; }

    bool shown = false;
    int32_t height;
    int32_t width;
};

} // namespace vela::microedition::lcdui
