// Building blocks of the menu screens: lists of entries, their looks, sounds and bindings.
#include "game/MenuParts.h"

#include "gamelib/Animation.h"
#include "guilib/GUIEngine.h"
#include "util/DVector.h"

using gamelib::ImageManagerPtr;
using guilib::ANCHOR_CENTER;
using guilib::ANCHOR_HCENTER;
using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIEngine;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace tintrow::menu {

int32_t frameWidth(const ImageManagerPtr& images, int32_t animation)
{
    return animation < images->animationCount() ? images->getAnimation(animation)->firstWidth : 0;
}

int32_t frameHeight(const ImageManagerPtr& images, int32_t animation)
{
    return animation < images->animationCount() ? images->getAnimation(animation)->firstHeight
                                                : 0;
}

int32_t slotHeight(const ImageManagerPtr& images, int32_t gapDivisor)
{
    int32_t plate = frameHeight(images, ANIM_ITEM);
    return plate + plate / gapDivisor;
}

GUIActionPtr action(int32_t type, int32_t param, const vela::lang::DObjectPtr& target)
{
    return new GUIAction(type, param, target, nullptr);
}

void chain(const GUIActionPtr& first, const GUIActionPtr& next)
{
    GUIAction* last = first.get();
    while (last->next)
        last = last->next.get();
    last->next = next;
}

static GUIActionPtr withSound(GUIActionPtr a, int32_t sound)
{
    a->sound = sound;
    return a;
}

GUIWidgetPtr makeList(int32_t id, int32_t width, int32_t height)
{
    GUIWidgetPtr list = new GUIWidget(id);
    list->setSize(width, height);
    list->setAnchors(ANCHOR_CENTER, ANCHOR_CENTER);
    list->setAction(GUIWidget::EVENT_UP, withSound(action(GUIAction::ACTION_FOCUS_PREVIOUS), SOUND_MENU_MOVE));
    list->setAction(GUIWidget::EVENT_DOWN, withSound(action(GUIAction::ACTION_FOCUS_NEXT), SOUND_MENU_MOVE));
    int32_t page = GUIEngine::getInstance()->getScreenHeight() / 4;
    list->setAction(GUIWidget::EVENT_PAGE_UP, action(GUIAction::ACTION_SCROLL_UP, page));
    list->setAction(GUIWidget::EVENT_PAGE_DOWN, action(GUIAction::ACTION_SCROLL_DOWN, page));
    return list;
}

void makeClickable(const GUIWidgetPtr& entry, const GUIWidgetPtr& list, const GUIActionPtr& click)
{
    entry->setTabIndex(list->getChildCount(0));
    entry->setAnchors(ANCHOR_HCENTER, ANCHOR_HCENTER);
    entry->setAction(GUIWidget::EVENT_POINTER_PRESSED,
        withSound(action(GUIAction::ACTION_SET_STATE, GUIWidget::STATE_FOCUSED | GUIWidget::STATE_ACTIVATED),
            SOUND_MENU_SELECT));
    entry->setAction(GUIWidget::EVENT_FIRE,
        withSound(action(GUIAction::ACTION_SET_STATE, GUIWidget::STATE_ACTIVATED), SOUND_MENU_SELECT));
    if (click)
        entry->setAction(GUIWidget::EVENT_STATE_SET + 3, click);
    list->addChild(entry);
}

GUIWidgetPtr addItem(const GUIWidgetPtr& list, const ImageManagerPtr& images, int32_t id,
    const GUIActionPtr& click)
{
    GUIWidgetPtr item = new GUIWidget(id);
    item->setFitToBackground(true);
    item->setLook(GUIWidget::PART_CLIENT_BACKGROUND, images, ANIM_ITEM, false, 0, 0);
    item->setLook(GUIWidget::PART_CLIENT_BACKGROUND, images, ANIM_ITEM_FOCUSED, false,
        GUIWidget::STATE_FOCUSED, GUIWidget::STATE_FOCUSED);
    item->setLook(GUIWidget::PART_CLIENT_BACKGROUND, images, ANIM_ITEM_PRESSED, false,
        GUIWidget::STATE_PRESSED, GUIWidget::STATE_PRESSED);
    makeClickable(item, list, click);
    return item;
}

void stackItems(const GUIWidgetPtr& list, int32_t step)
{
    int32_t y = 0;
    GUIWidgetPtr firstVisible;
    for (int32_t i = 0, n = list->getChildCount(0); i < n; ++i) {
        GUIWidgetPtr item = list->getChild(0, i);
        // Entries sized by their look know their size only once the look is chosen.
        item->selectLooks(false);
        guilib::GUIRect bounds = item->getBounds();
        if (!item->isRequested(GUIWidget::STATE_VISIBLE)) {
            // Out of the way of the content: inside the first slot.
            item->setPosition(bounds.x, 0);
            continue;
        }
        // Each entry sits in the middle of its slot.
        item->setPosition(bounds.x, y + (step - bounds.height) / 2);
        y += step;
        if (!firstVisible)
            firstVisible = item;
    }
    list->computeContentRect();
    GUIWidgetPtr focused = list->getFocusedChild();
    if (firstVisible && (!focused || !focused->isRequested(GUIWidget::STATE_VISIBLE)))
        firstVisible->requestFocus(true);
}

void disposeTree(const GUIWidgetPtr& widget)
{
    for (int32_t layer = 0; layer < GUIWidget::LAYER_COUNT; ++layer)
        for (int32_t i = widget->getChildCount(layer) - 1; i >= 0; --i)
            disposeTree(widget->getChild(layer, i));
    widget->dispose();
}

} // namespace tintrow::menu
