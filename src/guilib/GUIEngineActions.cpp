// Execution of queued actions: the built-in effects, then the callback and the sound.
#include "guilib/GUIEngine.h"

#include <algorithm>

#include "guilib/GUIWidget.h"
#include "lang/DString.h"

using vela::lang::DStringPtr;
using vela::lang::ptrCastOrNull;

namespace guilib {

// Event, data and length that a send action passes on: the data only with the firing event.
static void sendTo(GUIWidget* receiver, const GUIAction& action, bool broadcast)
{
    if (!receiver)
        return;
    int32_t e = action.param != 0 ? action.param : action.event;
    bool withData = e == action.event;
    receiver->handleEvent(e, broadcast, withData ? action.data.get() : nullptr,
                          withData ? action.dataLength : 0);
}

static void syncThumb(GUIWidget& scrolled, GUIWidget& thumb)
{
    GUIWidgetPtr track = thumb.getParent();
    if (!track)
        return;
    GUIRect content = scrolled.getContentRect();
    int32_t range = content.height - scrolled.clientHeight;
    int32_t travel = track->clientHeight - thumb.boundsHeight;
    // Content that fits, or a track no longer than the thumb, leaves the thumb at the top.
    int32_t y = 0;
    if (range > 0 && travel > 0)
        y = static_cast<int32_t>((static_cast<int64_t>(scrolled.scrollY) * travel) / range);
    y = std::max(0, std::min(y, std::max(travel, 0)));
    thumb.setPosition(thumb.boundsX, y);
}

static void trackPage(GUIWidget& scrolled, GUIWidget* thumb, const GUIAction& action)
{
    if (action.event != GUIWidget::EVENT_POINTER_PRESSED
        && action.event != GUIWidget::EVENT_POINTER_HELD)
        return;
    int32_t py = action.dataInt(1);
    int32_t page = 0;
    if (!thumb) {
        page = py < (scrolled.getBounds().height >> 1) ? GUIWidget::EVENT_PAGE_UP
                                                       : GUIWidget::EVENT_PAGE_DOWN;
    } else if (thumb->getParent()) {
        if (py <= thumb->boundsY)
            page = GUIWidget::EVENT_PAGE_UP;
        else if (py >= thumb->boundsY + thumb->boundsHeight)
            page = GUIWidget::EVENT_PAGE_DOWN;
    }
    if (page != 0)
        scrolled.handleEvent(page, false, nullptr, 0);
}

static void dragThumb(GUIWidget& scrolled, GUIWidget& thumb, const GUIAction& action)
{
    if (action.event != GUIWidget::EVENT_POINTER_DRAGGED)
        return;
    GUIWidgetPtr track = thumb.getParent();
    if (!track)
        return;
    int32_t range = track->clientHeight - thumb.boundsHeight;
    GUIPoint p = thumb.widgetToParent(GUIPoint{ action.dataInt(2), action.dataInt(3) }, true);
    int32_t pos = p.y - (thumb.boundsHeight >> 1);
    // A track no longer than the thumb pins it to the top; content that fits scrolls nothing.
    pos = std::max(0, std::min(pos, std::max(range, 0)));
    int32_t scrollRange = scrolled.getContentRect().height - scrolled.clientHeight;
    if (range > 0 && scrollRange > 0) {
        int32_t y = static_cast<int32_t>((static_cast<int64_t>(scrollRange) * pos) / range);
        scrolled.scrollY = y;
        scrolled.scrollTargetY = y;
    }
    thumb.setPosition(thumb.boundsX, pos);
}

void GUIEngine::runBuiltIn(GUIAction& action)
{
    GUIWidget* source = action.source.get();
    GUIWidgetPtr targetWidget = ptrCastOrNull<GUIWidget>(action.target);
    GUIWidget* target = targetWidget.get();
    GUIWidgetPtr top = getTopScreen();
    switch (action.type) {
    case GUIAction::ACTION_SEND_TO_SOURCE: sendTo(source, action, false); break;
    case GUIAction::ACTION_SEND_TO_TOP: sendTo(top.get(), action, true); break;
    case GUIAction::ACTION_PUSH_SCREEN: pushScreen(targetWidget); break;
    case GUIAction::ACTION_POP_SCREEN: popScreen(); break;
    case GUIAction::ACTION_SHOW_IN_TOP:
        if (top && target) {
            top->addChild(targetWidget);
            target->handleEvent(GUIWidget::EVENT_SHOWN, true, nullptr, 0);
        }
        break;
    case GUIAction::ACTION_CLOSE_SCREEN: closeScreen(targetWidget); break;
    case GUIAction::ACTION_RAISE_CHILD:
        if (top)
            if (GUIWidgetPtr child = top->findChild(action.param, false))
                child->raise();
        break;
    case GUIAction::ACTION_FOCUS_NEXT: if (source) source->focusNext(); break;
    case GUIAction::ACTION_FOCUS_PREVIOUS: if (source) source->focusPrevious(); break;
    case GUIAction::ACTION_FOCUS_VERTICAL: if (source) source->focusVertical(); break;
    case GUIAction::ACTION_SET_STATE:
        if (source)
            source->setState(static_cast<uint32_t>(action.param), true);
        break;
    case GUIAction::ACTION_CLEAR_STATE:
        if (source)
            source->setState(static_cast<uint32_t>(action.param), false);
        break;
    case GUIAction::ACTION_SCROLL_UP: if (source) source->scrollUp(action.param); break;
    case GUIAction::ACTION_SCROLL_DOWN: if (source) source->scrollDown(action.param); break;
    case GUIAction::ACTION_SCROLL_LEFT: if (source) source->scrollLeft(action.param); break;
    case GUIAction::ACTION_SCROLL_RIGHT: if (source) source->scrollRight(action.param); break;
    case GUIAction::ACTION_SCROLL_TOP: if (source) source->scrollToTop(); break;
    case GUIAction::ACTION_SCROLL_BOTTOM: if (source) source->scrollToBottom(); break;
    case GUIAction::ACTION_SCROLL_LEFT_END: if (source) source->scrollToLeftEnd(); break;
    case GUIAction::ACTION_SCROLL_RIGHT_END: if (source) source->scrollToRightEnd(); break;
    case GUIAction::ACTION_SYNC_THUMB:
        if (source && target)
            syncThumb(*source, *target);
        break;
    case GUIAction::ACTION_TRACK_PAGE:
        if (source)
            trackPage(*source, target, action);
        break;
    case GUIAction::ACTION_DRAG_THUMB:
        if (source && target)
            dragThumb(*source, *target, action);
        break;
    case GUIAction::ACTION_SET_SOUND_VOLUME:
    case GUIAction::ACTION_SET_MUSIC_VOLUME:
        if (GUISoundControl* sounds = getSoundControl())
            if (action.event == GUIWidget::EVENT_VALUE_CHANGED) {
                if (action.type == GUIAction::ACTION_SET_SOUND_VOLUME)
                    sounds->setSoundVolume(action.dataInt(0));
                else
                    sounds->setMusicVolume(action.dataInt(0));
            }
        break;
    case GUIAction::ACTION_SEND_KEY:
        if (source)
            source->handleEvent(GUIWidget::EVENT_KEY, false, &action.param, 4);
        break;
    case GUIAction::ACTION_OPEN_URL:
        if (DStringPtr url = ptrCastOrNull<vela::lang::DString>(action.target))
            getHost().platformRequest(url);
        break;
    case GUIAction::ACTION_EXIT:
        closeAllScreens();
        getHost().notifyDestroyed();
        break;
    default: break;
    }
}

void GUIEngine::executeAction(const GUIActionPtr& action)
{
    if (!action)
        return;
    GUIActionPtr held = action;
    runBuiltIn(*held);
    if (held->callback)
        held->callback(*held);
    if (held->sound != -1)
        if (GUISoundControl* sounds = getSoundControl())
            sounds->playSound(held->sound, held->soundLoop, held->soundParam);
}

GUISoundControl* GUIEngine::getSoundControl()
{
    if (soundControl)
        return soundControl;
    managerControl.manager = soundManager.get();
    return soundManager ? &managerControl : nullptr;
}

void GUISoundManagerControl::setSoundVolume(int32_t volume)
{
    manager->setSoundVolume(volume);
}

void GUISoundManagerControl::setMusicVolume(int32_t volume)
{
    manager->setMusicVolume(volume);
}

void GUISoundManagerControl::playSound(int32_t index, bool loop, int32_t param)
{
    manager->play(index, loop, param);
}

} // namespace guilib
