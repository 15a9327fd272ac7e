// Modal screens: soft-key labels that forward taps to the top screen, key focus navigation.
#include "guilib/GUIModalScreen.h"

#include "guilib/GUIText.h"

namespace guilib {

// A label in the overlay layer whose tap acts like pressing its soft key on the top screen.
static GUIWidgetPtr makeSoftKeyLabel(int32_t anchors, int32_t softKeyEvent)
{
    GUIWidgetPtr label = new GUIWidget(-1);
    label->setFitToBackground(true);
    GUITextPtr text = new GUIText();
    text->setAlignment(10);
    label->setText(text);
    label->setLayer(2);
    label->setAnchors(anchors, anchors);
    label->setAction(GUIWidget::EVENT_POINTER_PRESSED,
                     new GUIAction(GUIAction::ACTION_SEND_TO_TOP, softKeyEvent, nullptr, nullptr));
    return label;
}

GUIModalScreen::GUIModalScreen(int32_t id)
    : GUIWidget(id), leftSoftKey(makeSoftKeyLabel(4, EVENT_SOFT_LEFT)),
      rightSoftKey(makeSoftKeyLabel(5, EVENT_SOFT_RIGHT))
{
    setFullScreen();
    setAction(EVENT_DOWN, new GUIAction(GUIAction::ACTION_FOCUS_NEXT, 0, nullptr, nullptr));
    setAction(EVENT_UP, new GUIAction(GUIAction::ACTION_FOCUS_PREVIOUS, 0, nullptr, nullptr));
    addChild(leftSoftKey);
    addChild(rightSoftKey);
}

GUIModalScreen::~GUIModalScreen() = default;

void GUIModalScreen::dispose()
{
    leftSoftKey = nullptr;
    rightSoftKey = nullptr;
    GUIWidget::dispose();
}

} // namespace guilib
