// Base of everything the display can show.
#include "microedition/lcdui/DDisplayable.h"

#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"

namespace vela::microedition::lcdui {

DDisplayable::DDisplayable()
    : height(DDisplay::instance() ? DDisplay::instance()->getHeight() : 0),
      width(DDisplay::instance() ? DDisplay::instance()->getWidth() : 0)
{
}

void DDisplayable::sizeChanged(int32_t, int32_t) {}
void DDisplayable::showNotify() {}
void DDisplayable::pointerPressed(int32_t, int32_t) {}
void DDisplayable::pointerReleased(int32_t, int32_t) {}
void DDisplayable::hideNotify() {}
void DDisplayable::keyPressed(int32_t) {}
void DDisplayable::keyReleased(int32_t) {}
void DDisplayable::keyRepeated(int32_t) {}
void DDisplayable::paint(DGraphicsPtr) {}
void DDisplayable::pointerDragged(int32_t, int32_t) {}

} // namespace vela::microedition::lcdui
