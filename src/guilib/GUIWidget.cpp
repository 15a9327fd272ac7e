// Widget construction and disposal, the child tree, action bindings and the text.
#include "guilib/GUIWidget.h"

#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidgetChildren.h"
#include "lang/DInteger.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

using vela::lang::DObjectPtr;
using vela::lang::DStringPtr;
using vela::lang::ptrCast;
using vela::util::DHashtable;
using vela::util::DVector;
using vela::util::DVectorArray;
using vela::util::DVectorPtr;

namespace guilib {

GUIWidget::GUIWidget(int32_t widgetId)
    : id(widgetId), children(new DVectorArray(LAYER_COUNT)),
      lookDefinitions(new DHashtable(11, 75))
{
    for (int32_t i = 0; i < LAYER_COUNT; ++i)
        children->set(i, new DVector());
    GUIEngine::getInstance()->attachWidget(this);
}

GUIWidget::~GUIWidget() = default;

void GUIWidget::dispose()
{
    parent = nullptr;
    actions = nullptr;
    focusedChild = nullptr;
    lookDefinitions = nullptr;
    transitionLooks = nullptr;
    steadyLooks = nullptr;
    text = nullptr;
    // Keep this widget alive until it has detached itself, whoever dropped the last reference.
    GUIWidgetPtr self(this);
    for (int32_t i = 0; i < LAYER_COUNT; ++i)
        children->get(i)->removeAllElements();
    GUIEngine::getInstance()->detachWidget(this);
}

DVectorPtr GUIWidget::getChildren(int32_t layerIndex) const
{
    return children->get(layerIndex);
}

int32_t GUIWidget::getChildCount(int32_t layerIndex) const
{
    return children->get(layerIndex)->size();
}

GUIWidgetPtr GUIWidget::getChild(int32_t layerIndex, int32_t index) const
{
    return ptrCast<GUIWidget>(children->get(layerIndex)->elementAt(index));
}

GUIWidgetPtr GUIWidget::addChild(GUIWidgetPtr child)
{
    if (!child)
        child = new GUIWidget(-1);
    if (GUIWidgetPtr oldParent = child->parent)
        oldParent->removeChild(child);
    child->parent = this;
    children->get(child->layer)->addElement(child);
    return child;
}

// Removes the first occurrence of `child` (by identity); true when found.
static bool removeFrom(DVector& list, const GUIWidget* child)
{
    for (int32_t i = 0, n = list.size(); i < n; ++i)
        if (widgetAt(list, i) == child) {
            list.removeElementAt(i);
            return true;
        }
    return false;
}

void GUIWidget::removeChild(const GUIWidgetPtr& child)
{
    if (!child)
        return;
    GUIWidgetPtr held = child;
    for (int32_t i = 0; i < LAYER_COUNT; ++i)
        if (removeFrom(*children->get(i), held.get())) {
            held->parent = nullptr;
            return;
        }
}

void GUIWidget::setLayer(int32_t newLayer)
{
    if (newLayer < 0 || newLayer >= LAYER_COUNT)
        return;
    GUIWidgetPtr self(this);
    if (parent) {
        for (int32_t i = 0; i < LAYER_COUNT; ++i)
            removeFrom(*parent->children->get(i), this);
        parent->children->get(newLayer)->addElement(self);
    }
    layer = newLayer;
}

void GUIWidget::raise()
{
    if (!parent)
        return;
    GUIWidgetPtr self(this);
    DVectorPtr list = parent->children->get(layer);
    int32_t n = list->size();
    if (n == 0 || widgetAt(*list, n - 1) == this)
        return;
    if (removeFrom(*list, this))
        list->addElement(self);
}

GUIWidgetPtr GUIWidget::findChild(int32_t childId, bool recursive) const
{
    for (int32_t l = 0; l < LAYER_COUNT; ++l) {
        DVectorPtr list = children->get(l);
        for (int32_t i = 0; i < list->size(); ++i) {
            GUIWidget* child = widgetAt(*list, i);
            if (child->id == childId)
                return child;
            if (recursive)
                if (GUIWidgetPtr found = child->findChild(childId, true))
                    return found;
        }
    }
    return nullptr;
}

void GUIWidget::setAction(int32_t event, const GUIActionPtr& action)
{
    if (!action) {
        if (actions)
            actions->remove(new vela::lang::DInteger(event));
        return;
    }
    if (!actions)
        actions = new DHashtable(11, 75);
    actions->put(new vela::lang::DInteger(event), action);
}

void GUIWidget::addAction(int32_t event, const GUIActionPtr& action)
{
    GUIActionPtr last = getAction(event);
    if (!last) {
        setAction(event, action);
        return;
    }
    while (last->next)
        last = last->next;
    last->next = action;
}

GUIActionPtr GUIWidget::getAction(int32_t event) const
{
    if (!actions)
        return nullptr;
    return ptrCast<GUIAction>(actions->get(event));
}

GUIActionPtr GUIWidget::addAction(int32_t event, int32_t type, int32_t param, DObjectPtr target,
                                  GUIActionCallback callback)
{
    GUIActionPtr action = new GUIAction(type, param, std::move(target), callback);
    addAction(event, action);
    return action;
}

GUIActionPtr GUIWidget::setAction(int32_t event, int32_t type, int32_t param, DObjectPtr target,
                                  GUIActionCallback callback, const GUIWidgetPtr& presetSource)
{
    GUIActionPtr action = new GUIAction(type, param, std::move(target), callback);
    action->source = presetSource;
    setAction(event, action);
    return action;
}

GUIActionPtr GUIWidget::addAction(int32_t event, int32_t type, int32_t param, DObjectPtr target,
                                  GUIActionCallback callback, const GUIWidgetPtr& presetSource)
{
    GUIActionPtr action = new GUIAction(type, param, std::move(target), callback);
    action->source = presetSource;
    addAction(event, action);
    return action;
}

GUIActionPtr GUIWidget::setCallback(int32_t event, GUIActionCallback callback)
{
    GUIActionPtr action = new GUIAction(GUIAction::ACTION_NONE, 0, nullptr, callback);
    setAction(event, action);
    return action;
}

void GUIWidget::setTextKey(const DStringPtr& key)
{
    if (!key) {
        text = nullptr;
        return;
    }
    if (!text)
        text = new GUIText();
    text->setTextKey(key);
}

void GUIWidget::setMarkup(const DStringPtr& markup)
{
    if (!markup)
        return;
    if (!text)
        text = new GUIText();
    text->setMarkup(markup);
}

void GUIWidget::setText(const GUITextPtr& newText)
{
    text = newText;
}

} // namespace guilib
