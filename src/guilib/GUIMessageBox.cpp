// Message boxes: a centred text area three quarters of the screen high, and its scroll bar.
#include "guilib/GUIMessageBox.h"

#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"

namespace guilib {

static GUIWidgetPtr makeTextArea()
{
    GUIEnginePtr engine = GUIEngine::getInstance();
    GUIWidgetPtr area = new GUIWidget(-1);
    area->setSize(engine->getScreenWidth(), (engine->getScreenHeight() * 3) >> 2);
    area->setMarkup(new vela::lang::DString(u""));
    area->getText()->setAlignment(10);
    area->setAnchors(10, 10);
    return area;
}

GUIMessageBox::GUIMessageBox(int32_t id) : GUIModalScreen(id), textArea(makeTextArea())
{
    addChild(textArea);
    scrollBar = new GUIVScrollBar(textArea, 0, 0, 0, 0, -1);
    scrollBar->setAnchors(9, 9);
    addChild(scrollBar);
}

GUIMessageBox::~GUIMessageBox() = default;

} // namespace guilib
