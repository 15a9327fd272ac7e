// Looks of a widget: definitions per part, selection by state score, pending transitions.
#include "guilib/GUIAnimation.h"
#include "guilib/GUIWidget.h"
#include "guilib/GUIWidgetAnimation.h"
#include "lang/DInteger.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

using gamelib::ImageManagerPtr;
using vela::lang::DInteger;
using vela::lang::DObjectPtr;
using vela::lang::ptrCast;
using vela::util::DEnumerationPtr;
using vela::util::DHashtable;
using vela::util::DVector;
using vela::util::DVectorPtr;

namespace guilib {

void GUIWidget::setLook(int32_t part, const GUIAnimationPtr& animation, uint32_t stateBits,
                        uint32_t mask)
{
    if (!lookDefinitions)
        lookDefinitions = new DHashtable(11, 75);
    DVectorPtr list = ptrCast<DVector>(lookDefinitions->get(part));
    if (!list) {
        list = new DVector();
        lookDefinitions->put(new DInteger(part), list);
    }
    for (int32_t i = 0, n = list->size(); i < n; ++i) {
        auto* entry = static_cast<GUIWidgetAnimation*>(list->elementAt(i).get());
        if (entry->stateBits == stateBits && entry->mask == mask) {
            list->removeElementAt(i);
            break;
        }
    }
    if (animation)
        list->addElement(new GUIWidgetAnimation(stateBits, mask, animation));
}

void GUIWidget::setLook(int32_t part, const ImageManagerPtr& images, int32_t animationIndex,
                        bool loop, uint32_t stateBits, uint32_t mask)
{
    setLook(part, new GUIAnimation(images, animationIndex, loop), stateBits, mask);
}

void GUIWidget::setLook(int32_t part, const vela::microedition::lcdui::DImagePtr& image,
                        uint32_t stateBits, uint32_t mask)
{
    setLook(part, new GUIAnimation(image), stateBits, mask);
}

void GUIWidget::setLook(int32_t part, int32_t fillColor, int32_t borderColor,
                        uint32_t stateBits, uint32_t mask)
{
    setLook(part, new GUIAnimation(fillColor, borderColor), stateBits, mask);
}

GUIAnimationPtr GUIWidget::getLook(int32_t part) const
{
    const vela::util::DHashtablePtr& table = state == requestedState ? steadyLooks
                                                                      : transitionLooks;
    if (!table)
        return nullptr;
    return ptrCast<GUIAnimation>(table->get(part));
}

int32_t GUIWidget::selectLooks(bool transition)
{
    vela::util::DHashtablePtr& target = transition ? transitionLooks : steadyLooks;
    uint32_t s = transition ? requestedState : state;
    if (target)
        target->clear();
    if (!lookDefinitions)
        return 0;
    int32_t given = 0;
    DEnumerationPtr parts = lookDefinitions->keys();
    while (parts->hasMoreElements()) {
        DObjectPtr part = parts->nextElement();
        DVectorPtr list = ptrCast<DVector>(lookDefinitions->get(part));
        GUIWidgetAnimation* best = nullptr;
        int32_t bestScore = 0;
        for (int32_t i = 0, n = list->size(); i < n; ++i) {
            auto* entry = static_cast<GUIWidgetAnimation*>(list->elementAt(i).get());
            if (entry->isTransition() != transition)
                continue;
            int32_t score = entry->score(s);
            if (!best || score > bestScore) {
                best = entry;
                bestScore = score;
            }
        }
        if (!best || (transition && bestScore == 0))
            continue;
        if (!target)
            target = new DHashtable(11, 75);
        target->put(part, best->animation);
        ++given;
    }
    return given;
}

void GUIWidget::resetTransitionLooks()
{
    if (!transitionLooks)
        return;
    DEnumerationPtr looks = transitionLooks->elements();
    while (looks->hasMoreElements()) {
        GUIAnimationPtr look = ptrCast<GUIAnimation>(looks->nextElement());
        look->setFrame(0);
        look->setFinished(false);
    }
}

void GUIWidget::checkPendingState()
{
    if (state == requestedState)
        return;
    if (transitionLooks) {
        DEnumerationPtr looks = transitionLooks->elements();
        while (looks->hasMoreElements())
            if (!ptrCast<GUIAnimation>(looks->nextElement())->isFinished())
                return;
    }
    applyStateChange();
}

void GUIWidget::validate()
{
    if (!fitToBackground)
        return;
    GUIAnimationPtr look = getLook(PART_CLIENT_BACKGROUND);
    if (!look)
        return;
    GUIPoint size = look->getBoundsSize();
    if (size.x != clientWidth || size.y != clientHeight)
        setClientRect(clientX, clientY, size.x, size.y, true);
}

} // namespace guilib
