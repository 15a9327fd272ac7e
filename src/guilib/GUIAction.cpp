// Firing of actions: every firing queues a private copy, so one binding can fire repeatedly.
#include "guilib/GUIAction.h"

#include <cstring>

#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"

namespace guilib {

GUIAction::GUIAction(int32_t type, int32_t param, vela::lang::DObjectPtr target,
                     GUIActionCallback callback)
    : type(type), param(param), target(std::move(target)), callback(callback)
{
}

GUIAction::~GUIAction() = default;

void GUIAction::fire(const GUIWidgetPtr& sourceWidget, int32_t firedEvent, const void* eventData,
                     int32_t eventDataLength)
{
    GUIActionPtr copy = new GUIAction(type, param, target, callback);
    copy->source = source ? source : sourceWidget;
    copy->sound = sound;
    copy->soundParam = soundParam;
    copy->soundLoop = soundLoop;
    copy->event = firedEvent;
    if (eventData && eventDataLength > 0) {
        copy->data.reset(new uint8_t[eventDataLength]);
        std::memcpy(copy->data.get(), eventData, static_cast<size_t>(eventDataLength));
        copy->dataLength = eventDataLength;
    }
    GUIEngine::getInstance()->postAction(copy);
    if (next)
        next->fire(sourceWidget, firedEvent, eventData, eventDataLength);
}

int32_t GUIAction::dataInt(int32_t index) const
{
    if (!data || index < 0 || (index + 1) * 4 > dataLength)
        return 0;
    int32_t value;
    std::memcpy(&value, data.get() + index * 4, 4);
    return value;
}

} // namespace guilib
