// The one display of the application.
#include "microedition/lcdui/DDisplay.h"

#include "host/Window.h"
#include "microedition/lcdui/DDisplayable.h"
#include "microedition/midlet/DMIDlet.h"

namespace vela::microedition::lcdui {

static DDisplay* theDisplay = nullptr;

DDisplay::DDisplay(host::Window* layer)
    : displayLayer(layer), width(layer ? layer->screen().width : 0), height(layer ? layer->screen().height : 0)
{
    theDisplay = this;
    if (midlet::DMIDletPtr app = midlet::DMIDlet::getCurrent())
        app->display = this;
}

DDisplay::~DDisplay()
{
    if (theDisplay == this)
        theDisplay = nullptr;
}

DDisplayPtr DDisplay::getDisplay(midlet::DMIDletPtr midlet)
{
    return midlet->display;
}

DDisplay* DDisplay::instance()
{
    return theDisplay;
}

void DDisplay::setCurrent(DDisplayablePtr d)
{
    if (DDisplayablePtr old = current) {
        old->hideNotify();
        old->shown = false;
    }
    current = d;
    if (d) {
        d->showNotify();
        d->shown = true;
    }
}

} // namespace vela::microedition::lcdui
