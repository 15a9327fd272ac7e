// Per-frame layout and pointer checks, the key pass, event dispatch, state changes and focus.
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "guilib/GUIWidgetChildren.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

namespace guilib {

void GUIWidget::checkPointer(int32_t x, int32_t y, int32_t w, int32_t h)
{
    GUIRect screenRect = { x, y, w, h };
    if (!isVisibleOrRequested())
        return;
    GUIEngine& engine = *GUIEngine::getInstance();
    GUIHost& input = engine.getHost();
    if (input.isPointerDown() && screenRect.contains(input.getPointerX(), input.getPointerY()))
        engine.setPointerCapture(this);
}

void GUIWidget::tick()
{
    if (!tickHook || !tickHook(*this))
        if (tickHook2)
            tickHook2(*this);
}

void GUIWidget::layoutChildren(int32_t layerIndex, const GUIRect& clip, const GUIRect& origin)
{
    vela::util::DVectorPtr list = children->get(layerIndex);
    for (int32_t i = list->size() - 1; i >= 0; --i) {
        if (i >= list->size())
            continue;
        GUIWidgetPtr child = widgetAt(*list, i);
        child->layout(clip, origin);
    }
}

void GUIWidget::layout(const GUIRect& clip, const GUIRect& origin)
{
    GUIPoint p = positionInContainer(true);
    int32_t sx = origin.x + p.x;
    int32_t sy = origin.y + p.y;
    GUIRect client = { sx + clientX, sy + clientY, clientWidth, clientHeight };
    GUIRect inner = clip.intersection(client);
    checkPointer(inner.x, inner.y, inner.width, inner.height);
    tick();
    smoothScrollStep();
    // Children are placed after the scroll step, so they follow this frame's position.
    GUIRect self = { sx, sy, boundsWidth, boundsHeight };
    layoutChildren(0, inner, client);
    layoutChildren(1, clip, self);
    layoutChildren(2, clip, self);
}

bool GUIWidget::updateChildren()
{
    bool handled = false;
    for (int32_t l = 0; l < LAYER_COUNT; ++l) {
        vela::util::DVectorPtr list = children->get(l);
        for (int32_t i = 0; i < list->size(); ++i) {
            GUIWidgetPtr child = widgetAt(*list, i);
            handled |= child->update();
        }
    }
    return handled;
}

// Input flags and the events the key pass turns them into, in the order they are sent.
struct KeyEventRow {
    int32_t action;
    int32_t event;
};
static const KeyEventRow keyEventTable[] = {
    { 0, GUIWidget::EVENT_UP },         { 1, GUIWidget::EVENT_DOWN },
    { 2, GUIWidget::EVENT_LEFT },       { 3, GUIWidget::EVENT_RIGHT },
    { 9, GUIWidget::EVENT_SOFT_LEFT },  { 10, GUIWidget::EVENT_SOFT_RIGHT },
    { 4, GUIWidget::EVENT_FIRE },
};

bool GUIWidget::update()
{
    if (!hasState(STATE_FOCUSED))
        return false;
    if (!selfFirst && updateChildren())
        return true;
    GUIHost& input = GUIEngine::getInstance()->getHost();
    bool handled = false;
    int64_t now = input.currentTimeMillis();
    if (now > lastKeyTime + keyRepeatDelay) {
        for (const KeyEventRow& row : keyEventTable)
            if (input.isActionSet(row.action)) {
                handled |= handleEvent(row.event, false, nullptr, 0);
                lastKeyTime = now;
            }
        if (input.isKeyEventSeen()) {
            int32_t code = input.getLastKeyCode();
            handled |= handleEvent(EVENT_KEY, false, &code, 4);
            lastKeyTime = now;
        }
    }
    if (selfFirst && !handled)
        return updateChildren();
    return handled;
}

static bool isKeyEvent(int32_t event)
{
    return (event >= GUIWidget::EVENT_SOFT_LEFT && event <= GUIWidget::EVENT_SOFT_RIGHT)
        || (event >= GUIWidget::EVENT_UP && event <= GUIWidget::EVENT_RIGHT);
}

void GUIWidget::onShown()
{
    computeContentRect();
    selectLooks(false);
    validate();
    const vela::util::DVector& list = *children->get(0);
    for (int32_t i = list.size() - 1; i >= 0; --i) {
        GUIWidget* child = widgetAt(list, i);
        if ((child->state & STATE_FOCUSED) != 0) {
            if (layer == 0)
                requestFocus(true);
            setFocusedChild(child);
            break;
        }
    }
    scrollX = clampX(scrollTargetX);
    scrollY = clampY(scrollTargetY);
    smoothScrollStep();
}

bool GUIWidget::handleEvent(int32_t event, bool broadcast, const void* data, int32_t length)
{
    GUIWidgetPtr self(this);
    if (event == EVENT_SHOWN)
        onShown();
    else if (event == EVENT_BOUNDS_CHANGED)
        computeContentRect();
    if (isKeyEvent(event) && !hasState(STATE_FOCUSED))
        return false;
    bool handled = false;
    if (GUIActionPtr action = getAction(event)) {
        action->fire(this, event, data, length);
        handled = true;
    }
    if (broadcast) {
        for (int32_t l = 0; l < LAYER_COUNT; ++l) {
            vela::util::DVectorPtr list = children->get(l);
            for (int32_t i = 0; i < list->size(); ++i) {
                GUIWidgetPtr child = widgetAt(*list, i);
                handled |= child->handleEvent(event, true, data, length);
            }
        }
    }
    if (event == EVENT_SHOWN)
        computeContentRect();
    return handled;
}

void GUIWidget::setState(uint32_t mask, bool on)
{
    if ((mask & STATE_FOCUSED) != 0 && on && !canFocus())
        return;
    requestedState = on ? (requestedState | mask) : (requestedState & ~mask);
    if (selectLooks(true) == 0)
        applyStateChange();
}

void GUIWidget::setStateNow(uint32_t mask, bool on)
{
    requestedState = on ? (requestedState | mask) : (requestedState & ~mask);
    if (transitionLooks)
        transitionLooks->clear();
    applyStateChange();
}

void GUIWidget::applyStateChange()
{
    GUIWidgetPtr self(this);
    resetTransitionLooks();
    previousState = state;
    state = requestedState;
    selectLooks(false);
    uint32_t before = previousState;
    uint32_t after = state;
    uint32_t changed = before ^ after;
    for (int32_t b = 0; b < 32; ++b) {
        uint32_t bit = 1u << b;
        if ((changed & bit) != 0)
            handleEvent(((after & bit) != 0 ? EVENT_STATE_SET : EVENT_STATE_CLEARED) + b, false,
                        nullptr, 0);
    }
    GUIWidgetPtr p = parent;
    if ((changed & after & STATE_FOCUSED) != 0 && p) {
        GUIWidgetPtr previous = p->focusedChild;
        if (previous && previous.get() != this && previous->layer == 0)
            previous->setState(STATE_FOCUSED, false);
        if (!p->hasState(STATE_FOCUSED) && p->layer == 0)
            p->setState(STATE_FOCUSED, true);
        p->setFocusedChild(this);
    }
    if ((changed & before & STATE_FOCUSED) != 0 && p && p->focusedChild.get() == this)
        p->focusedChild = nullptr;
    if ((changed & after & STATE_ACTIVATED) != 0)
        setState(STATE_ACTIVATED, false);
}

void GUIWidget::setFocusedChild(const GUIWidgetPtr& child)
{
    focusedChild = child;
    scrollFocusedIntoView();
}

bool GUIWidget::canFocus() const
{
    return (focusableWhenDisabled || (state & STATE_ENABLED) != 0)
        && (state & STATE_VISIBLE) != 0;
}

void GUIWidget::requestFocus(bool on)
{
    if (layer == 0)
        setState(STATE_FOCUSED, on);
}

// Picks among the navigable layer-0 children (focusable, tabIndex not -1) those that
// `accepts`, the one that `better` prefers; ties keep the first in list order. The scan stops
// at an accepted child whose tabIndex is `earlyStop` (when `useEarlyStop`).
template <class Accept, class Better>
static GUIWidget* pickChild(const vela::util::DVector& list, Accept accepts, Better better,
                            bool useEarlyStop, int32_t earlyStop)
{
    GUIWidget* best = nullptr;
    for (int32_t i = 0, n = list.size(); i < n; ++i) {
        GUIWidget* child = widgetAt(list, i);
        if (child->tabIndex == -1 || !child->canFocus() || !accepts(*child))
            continue;
        if (!best || better(*child, *best))
            best = child;
        if (useEarlyStop && child->tabIndex == earlyStop)
            break;
    }
    return best;
}

static bool always(const GUIWidget&)
{
    return true;
}

static bool smallerIndex(const GUIWidget& a, const GUIWidget& b)
{
    return a.tabIndex < b.tabIndex;
}

static bool largerIndex(const GUIWidget& a, const GUIWidget& b)
{
    return a.tabIndex > b.tabIndex;
}

static void focusChild(GUIWidget* child)
{
    if (child && child->layer == 0)
        child->setState(GUIWidget::STATE_FOCUSED, true);
}

void GUIWidget::focusFirst()
{
    focusChild(pickChild(*children->get(0), always, smallerIndex, true, 0));
}

void GUIWidget::focusLast()
{
    focusChild(pickChild(*children->get(0), always, largerIndex, false, 0));
}

void GUIWidget::focusNext()
{
    if (!focusedChild) {
        focusFirst();
        return;
    }
    int32_t current = focusedChild->tabIndex;
    GUIWidget* next = pickChild(
        *children->get(0), [current](const GUIWidget& c) { return c.tabIndex > current; },
        smallerIndex, true, current + 1);
    if (next)
        focusChild(next);
    else
        focusFirst();
}

void GUIWidget::focusPrevious()
{
    if (!focusedChild) {
        focusLast();
        return;
    }
    int32_t current = focusedChild->tabIndex;
    GUIWidget* previous = pickChild(
        *children->get(0), [current](const GUIWidget& c) { return c.tabIndex < current; },
        largerIndex, true, current - 1);
    if (previous)
        focusChild(previous);
    else
        focusLast();
}

void GUIWidget::focusVertical()
{
    if (!focusedChild) {
        focusLast();
        return;
    }
    int32_t y = focusedChild->boundsY;
    const vela::util::DVector& list = *children->get(0);
    GUIWidget* chosen = pickChild(
        list, [y](const GUIWidget& c) { return c.boundsY < y; },
        [](const GUIWidget& a, const GUIWidget& b) { return a.boundsY < b.boundsY; }, false, 0);
    if (!chosen)
        chosen = pickChild(
            list, [y](const GUIWidget& c) { return c.boundsY > y; },
            [](const GUIWidget& a, const GUIWidget& b) { return a.boundsY > b.boundsY; }, false,
            0);
    if (chosen)
        focusChild(chosen);
    else
        focusLast();
}

} // namespace guilib
