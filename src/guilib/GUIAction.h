// Binds a widget event to something to do; fired copies wait in the engine's queue.
#pragma once

#include <cstdint>
#include <memory>

#include "guilib/GUIAction.ptr"
#include "guilib/GUIWidget.ptr"
#include "lang/DObject.h"

namespace guilib {

class GUIAction;
using GUIActionCallback = void (*)(GUIAction& action);

class GUIAction : public vela::lang::DObject {
public:
    // Built-in action types; application actions start at ACTION_APPLICATION.
    enum : int32_t {
        ACTION_NONE = 0,
        ACTION_SEND_TO_SOURCE = 1,
        ACTION_SEND_TO_TOP = 2,
        ACTION_PUSH_SCREEN = 3,
        ACTION_POP_SCREEN = 4,
        ACTION_SHOW_IN_TOP = 5,
        ACTION_CLOSE_SCREEN = 6,
        ACTION_RAISE_CHILD = 7,
        ACTION_FOCUS_NEXT = 8,
        ACTION_FOCUS_PREVIOUS = 9,
        ACTION_FOCUS_VERTICAL = 10,
        ACTION_SET_STATE = 14,
        ACTION_CLEAR_STATE = 15,
        ACTION_SCROLL_UP = 16,
        ACTION_SCROLL_DOWN = 17,
        ACTION_SCROLL_LEFT = 18,
        ACTION_SCROLL_RIGHT = 19,
        ACTION_SCROLL_TOP = 20,
        ACTION_SCROLL_BOTTOM = 21,
        ACTION_SCROLL_LEFT_END = 22,
        ACTION_SCROLL_RIGHT_END = 23,
        ACTION_SYNC_THUMB = 24,
        ACTION_TRACK_PAGE = 26,
        ACTION_DRAG_THUMB = 28,
        ACTION_SET_SOUND_VOLUME = 30,
        ACTION_SET_MUSIC_VOLUME = 31,
        ACTION_SEND_KEY = 32,
        ACTION_OPEN_URL = 33,
        ACTION_EXIT = 34,
        ACTION_APPLICATION = 65536,
    };

    GUIAction(int32_t type, int32_t param, vela::lang::DObjectPtr target,
              GUIActionCallback callback);
    ~GUIAction() override;

    // Queues an independent copy (with its own data buffer), then fires the chain.
    virtual void fire(const GUIWidgetPtr& sourceWidget, int32_t event, const void* data,
                      int32_t dataLength);

    // The index-th signed 32-bit integer of the event data; 0 when the data is shorter.
    int32_t dataInt(int32_t index) const;

    int32_t type;
    int32_t param;
    vela::lang::DObjectPtr target;
    GUIActionCallback callback;
    GUIWidgetPtr source;
    int32_t event = 0;
    std::unique_ptr<uint8_t[]> data;
    int32_t dataLength = 0;
    int32_t sound = -1;
    int32_t soundParam = 0;
    bool soundLoop = false;
    GUIActionPtr next;
};

} // namespace guilib
