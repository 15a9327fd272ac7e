// The GUI host of the running game: the screen canvas's input state and the application.
#pragma once

#include "guilib/GUIHost.h"

namespace guilib {

class GUIGameLibHost : public GUIHost {
public:
    // The one instance; the engine uses it unless another host is set.
    static GUIGameLibHost& instance();

    bool isActionSet(int32_t action) override;
    bool isKeyEventSeen() override;
    void clearKeyEventSeen() override;
    int32_t getLastKeyCode() override;
    bool isPointerDown() override;
    bool isPointerDragged() override;
    int32_t getPointerX() override;
    int32_t getPointerY() override;
    int32_t getPreviousPointerX() override;
    int32_t getPreviousPointerY() override;
    void resetActionFlags() override;
    int32_t getScreenWidth() override;
    int32_t getScreenHeight() override;
    int64_t currentTimeMillis() override;
    void platformRequest(const vela::lang::DStringPtr& url) override;
    void notifyDestroyed() override;
};

} // namespace guilib
