// The canvas whose graphics draw into its back buffer and whose flush shows it.
#include "microedition/lcdui/game/DGameCanvas.h"

#include "host/Raster.h"
#include "host/Window.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"

namespace vela::microedition::lcdui::game {

DGameCanvas::DGameCanvas() = default;

DGameCanvas::~DGameCanvas() = default;

// The canvas usually keeps its graphics, so the graphics must not keep the canvas: no owner.
DGraphicsPtr DGameCanvas::getGraphics()
{
    return new DGraphics(&backBuffer(), nullptr);
}

void DGameCanvas::flushGraphics()
{
    DDisplay* display = DDisplay::instance();
    if (!shown || !display || !display->layer())
        return;
    host::Surface& screen = display->layer()->screen();
    host::blitOpaque(screen, host::ClipRect::of(screen), backBuffer(), 0, 0);
    display->layer()->present();
}

} // namespace vela::microedition::lcdui::game
