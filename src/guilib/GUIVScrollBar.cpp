// The scroll bar's parts and bindings, and the track that fills the space between the arrows.
#include "guilib/GUIVScrollBar.h"

namespace guilib {

static GUIWidgetPtr makePart(int32_t anchors, bool fit)
{
    GUIWidgetPtr part = new GUIWidget(-1);
    part->setAnchors(anchors, anchors);
    part->setLayer(1);
    part->setFitToBackground(fit);
    return part;
}

GUIVScrollBar::GUIVScrollBar(const GUIWidgetPtr& scrolled, int32_t pageUpStep,
                             int32_t pageDownStep, int32_t upStep, int32_t downStep, int32_t id)
    : GUIWidget(id), upButton(makePart(2, true)), downButton(makePart(6, true)),
      track(makePart(10, false)), thumb(makePart(2, true))
{
    addChild(upButton);
    addChild(downButton);
    addChild(track);
    track->addChild(thumb);

    upButton->setAction(EVENT_POINTER_HELD, GUIAction::ACTION_SCROLL_UP, upStep, nullptr,
                        nullptr, scrolled);
    downButton->setAction(EVENT_POINTER_HELD, GUIAction::ACTION_SCROLL_DOWN, downStep, nullptr,
                          nullptr, scrolled);
    track->setAction(EVENT_POINTER_HELD, GUIAction::ACTION_TRACK_PAGE, 0, thumb, nullptr,
                     scrolled);
    thumb->setAction(EVENT_POINTER_DRAGGED, GUIAction::ACTION_DRAG_THUMB, 0, thumb, nullptr,
                     scrolled);
    if (scrolled) {
        scrolled->setAction(EVENT_SCROLLED, GUIAction::ACTION_SYNC_THUMB, 0, thumb, nullptr,
                            nullptr);
        int32_t half = scrolled->clientHeight >> 1;
        scrolled->setAction(EVENT_PAGE_UP, GUIAction::ACTION_SCROLL_UP,
                            pageUpStep != 0 ? pageUpStep : half, nullptr, nullptr, scrolled);
        scrolled->setAction(EVENT_PAGE_DOWN, GUIAction::ACTION_SCROLL_DOWN,
                            pageDownStep != 0 ? pageDownStep : half, nullptr, nullptr,
                            scrolled);
    }
}

GUIVScrollBar::~GUIVScrollBar() = default;

void GUIVScrollBar::tick()
{
    if (tickHook && tickHook(*this))
        return;
    int32_t height = boundsHeight - downButton->getBounds().height - upButton->getBounds().height;
    int32_t width = boundsWidth;
    if (track->boundsWidth != width || track->boundsHeight != height)
        track->setSize(width, height);
    if (tickHook2)
        tickHook2(*this);
}

void GUIVScrollBar::dispose()
{
    upButton = nullptr;
    downButton = nullptr;
    track = nullptr;
    thumb = nullptr;
    GUIWidget::dispose();
}

} // namespace guilib
