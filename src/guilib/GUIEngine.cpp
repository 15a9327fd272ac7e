// The GUI engine: screen stack, action queue, tokens, pointer capture and the frame update.
#include "guilib/GUIEngine.h"

#include "guilib/GUIGameLibHost.h"
#include "guilib/GUIWidget.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

using vela::lang::DObjectPtr;
using vela::lang::DStringPtr;
using vela::lang::ptrCast;
using vela::util::DHashtable;
using vela::util::DVector;

namespace guilib {

static GUIEnginePtr& instanceSlot()
{
    static GUIEnginePtr instance;
    return instance;
}

GUIEnginePtr GUIEngine::getInstance()
{
    GUIEnginePtr& slot = instanceSlot();
    if (!slot)
        slot = new GUIEngine();
    return slot;
}

GUIEngine::GUIEngine()
    : widgets(new DVector()), screens(new DVector()), actionQueue(new DVector())
{
    setHost(&GUIGameLibHost::instance());
}

GUIEngine::~GUIEngine() = default;

void GUIEngine::shutdown()
{
    GUIEnginePtr engine = instanceSlot();
    if (!engine)
        return;
    engine->actionQueue->removeAllElements();
    // Each dispose detaches its widget, so walk a copy of the list.
    int32_t count = engine->widgets->size();
    vela::lang::DObjectArrayPtr copy = new vela::lang::DObjectArray(count);
    engine->widgets->copyInto(copy);
    for (int32_t i = 0; i < count; ++i)
        ptrCast<GUIWidget>((*copy)[i])->dispose();
    engine->screens->removeAllElements();
    engine->pointerCapture = nullptr;
    instanceSlot() = nullptr;
}

void GUIEngine::setHost(GUIHost* newHost)
{
    host = newHost;
    if (host)
        pointerWasDown = host->isPointerDown();
}

GUIHost& GUIEngine::getHost() const
{
    return host ? *host : GUIGameLibHost::instance();
}

void GUIEngine::attachWidget(GUIWidget* widget)
{
    DObjectPtr held(widget);
    for (int32_t i = 0, n = widgets->size(); i < n; ++i)
        if (widgets->elementAt(i).get() == widget)
            return;
    widgets->addElement(held);
}

void GUIEngine::detachWidget(GUIWidget* widget)
{
    for (int32_t i = 0, n = widgets->size(); i < n; ++i)
        if (widgets->elementAt(i).get() == widget) {
            widgets->removeElementAt(i);
            return;
        }
}

GUIWidgetPtr GUIEngine::getTopScreen() const
{
    int32_t n = screens->size();
    if (n == 0)
        return nullptr;
    return ptrCast<GUIWidget>(screens->elementAt(n - 1));
}

void GUIEngine::pushScreen(const GUIWidgetPtr& screen)
{
    if (!screen)
        return;
    getHost().resetActionFlags();
    screens->addElement(screen);
    screen->handleEvent(GUIWidget::EVENT_SHOWN, true, nullptr, 0);
    screen->requestFocus(true);
}

void GUIEngine::popScreen()
{
    GUIWidgetPtr top = getTopScreen();
    if (!top)
        return;
    getHost().resetActionFlags();
    top->handleEvent(GUIWidget::EVENT_HIDDEN, true, nullptr, 0);
    // The hidden handler may have changed the stack; remove this screen wherever it is now.
    for (int32_t i = screens->size() - 1; i >= 0; --i)
        if (screens->elementAt(i).get() == top.get()) {
            screens->removeElementAt(i);
            break;
        }
}

void GUIEngine::closeScreen(const GUIWidgetPtr& widget)
{
    if (!widget)
        return;
    if (widget == getTopScreen()) {
        popScreen();
    } else if (widget->getParent()) {
        widget->handleEvent(GUIWidget::EVENT_HIDDEN, true, nullptr, 0);
        GUIWidgetPtr parent = widget->getParent();
        if (parent)
            parent->removeChild(widget);
    }
}

void GUIEngine::closeAllScreens()
{
    while (GUIWidgetPtr top = getTopScreen()) {
        top->handleEvent(GUIWidget::EVENT_HIDDEN, true, nullptr, 0);
        screens->removeElement(top);
    }
    getHost().resetActionFlags();
}

void GUIEngine::postAction(const GUIActionPtr& action)
{
    actionQueue->addElement(action);
}

GUIActionPtr GUIEngine::pollAction()
{
    if (actionQueue->size() == 0)
        return nullptr;
    GUIActionPtr first = ptrCast<GUIAction>(actionQueue->elementAt(0));
    actionQueue->removeElementAt(0);
    return first;
}

static DStringPtr lowerKey(const DStringPtr& key)
{
    return key->toLowerCase();
}

void GUIEngine::putToken(const DStringPtr& key, const DObjectPtr& value)
{
    if (!value) {
        if (tokens)
            tokens->remove(lowerKey(key));
        return;
    }
    if (!tokens)
        tokens = new DHashtable(11, 75);
    tokens->put(lowerKey(key), value);
}

DObjectPtr GUIEngine::getToken(const DStringPtr& key) const
{
    if (!tokens || !key)
        return nullptr;
    return tokens->get(lowerKey(key));
}

void GUIEngine::setPointerCapture(const GUIWidgetPtr& widget)
{
    if (!captureLocked)
        pointerCapture = widget;
}

void GUIEngine::update()
{
    GUIWidgetPtr top = getTopScreen();
    if (!top)
        return;
    GUIHost& input = getHost();
    bool justPressed = !pointerWasDown && input.isPointerDown();
    captureLocked = !justPressed;
    int32_t w = input.getScreenWidth();
    int32_t h = input.getScreenHeight();
    GUIRect screen = { 0, 0, w, h };
    top->layout(screen, screen);
    captureLocked = true;

    top->update();
    input.clearKeyEventSeen();

    if (!input.isPointerDown()) {
        if (pointerCapture) {
            pointerCapture->setState(GUIWidget::STATE_DRAGGED, false);
            pointerCapture->setState(GUIWidget::STATE_PRESSED, false);
        }
        pointerCapture = nullptr;
    }
    if (pointerCapture)
        sendPointerEvents(justPressed);
    pointerWasDown = input.isPointerDown();
}

void GUIEngine::sendPointerEvents(bool justPressed)
{
    GUIHost& input = getHost();
    // Hold the widget: its handlers may release the capture.
    GUIWidgetPtr captured = pointerCapture;
    if (input.isPointerDragged()) {
        GUIPoint o = captured->clientToScreen(GUIPoint{ 0, 0 });
        int32_t drag[4] = { input.getPreviousPointerX() - o.x, input.getPreviousPointerY() - o.y,
                            input.getPointerX() - o.x, input.getPointerY() - o.y };
        captured->handleEvent(GUIWidget::EVENT_POINTER_DRAGGED, false, drag, sizeof drag);
        if (!captured->hasState(GUIWidget::STATE_DRAGGED))
            captured->setState(GUIWidget::STATE_DRAGGED, true);
    }
    GUIPoint b = captured->widgetToScreen(GUIPoint{ 0, 0 });
    int32_t point[2] = { input.getPointerX() - b.x, input.getPointerY() - b.y };
    if (justPressed)
        captured->handleEvent(GUIWidget::EVENT_POINTER_PRESSED, false, point, sizeof point);
    captured->handleEvent(GUIWidget::EVENT_POINTER_HELD, false, point, sizeof point);
    if (!captured->hasState(GUIWidget::STATE_PRESSED)
        && !captured->isRequested(GUIWidget::STATE_PRESSED))
        captured->setState(GUIWidget::STATE_PRESSED, true);
}

void GUIEngine::paint(const DGraphicsPtr& g, bool topOnly)
{
    int32_t n = screens->size();
    if (n == 0)
        return;
    int32_t w = getScreenWidth();
    int32_t h = getScreenHeight();
    GUIRect whole = { 0, 0, w, h };
    int32_t s = n - 1;
    if (!topOnly) {
        while (s > 0 && ptrCast<GUIWidget>(screens->elementAt(s))->getBounds() != whole)
            --s;
    }
    for (; s < n; ++s) {
        GUIWidgetPtr screen = ptrCast<GUIWidget>(screens->elementAt(s));
        screen->paint(g, 0, 0, w, h);
        screen->paintOverlay(g, 0, 0, w, h);
    }
}

} // namespace guilib
